#pragma once

#include "gamepad/GamepadState.h"

namespace kesto
{

// The first connected gamepad as ControllerInputManager sees it, in XInput's terms. The game uses the gamepad
// layer; tests drive a fake.
class PadDevice
{
public:
    virtual ~PadDevice() = default;

    // Reads the pad; anything but Success means no pad, and state is then all zero.
    virtual gamepad::GamepadResult GetState(gamepad::GamepadState& state) = 0;
    // Runs both motors at these speeds until the next call.
    virtual gamepad::GamepadResult SetState(const gamepad::GamepadVibration& vibration) = 0;
};

} // namespace kesto
