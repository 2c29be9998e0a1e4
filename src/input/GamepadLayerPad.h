#pragma once

#include "gamepad/Gamepad.h"
#include "input/PadDevice.h"

namespace kesto
{

// The pad read through the gamepad layer (SDL's game controllers, first connected pad).
class GamepadLayerPad : public PadDevice
{
public:
    // report receives the layer's failures, one line each.
    explicit GamepadLayerPad(gamepad::GamepadReport report);

    gamepad::GamepadResult GetState(gamepad::GamepadState& state) override;
    gamepad::GamepadResult SetState(const gamepad::GamepadVibration& vibration) override;

private:
    gamepad::Gamepad pad;
};

} // namespace kesto
