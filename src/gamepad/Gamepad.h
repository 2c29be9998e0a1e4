#pragma once

#include "gamepad/GamepadState.h"

#include <functional>
#include <memory>
#include <string_view>

namespace kesto::gamepad
{

// Receives one line describing a failure of the layer; the owner decides where it goes.
using GamepadReport = std::function<void(std::string_view message)>;

// The pad of user 0 (the first connected game controller) read and rumbled the way XInput does it, over SDL.
// Pads plugged in or pulled out while running are picked up at the next call. When SDL's game controller
// subsystem cannot start, that is reported once at construction and the pad then always reads as not connected.
// A button pressed and released between two readings shows as down in the next one (likewise a trigger pulled and
// let go), read from SDL's joystick and controller events, which every call drains from SDL's queue; so only one
// Gamepad should be polled at a time.
// Main thread only: SDL's joystick state is not to be polled from two threads.
class Gamepad
{
public:
    // report may be empty: failures are then silent.
    explicit Gamepad(GamepadReport report = {});
    ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // Polls the pad (XInputGetState for user 0). Without a pad the result is DeviceNotConnected and state is
    // set to all zero.
    GamepadResult GetState(GamepadState& state);

    // Sets both motor speeds until the next call (XInputSetState for user 0). A pad without motors still
    // answers Success, as XInput does.
    GamepadResult SetState(const GamepadVibration& vibration);

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace kesto::gamepad
