#pragma once

#include "gamepad/GamepadState.h"

namespace kesto
{

// Controller codes beyond the XInput button masks: full trigger pulls and stick directions. Every other code is a
// button mask tested against the pad's buttons.
enum class ControllerCode : int
{
    RightTriggerFull = 0x8001,
    LeftTriggerFull = 0x8002,
    RightStickUp = 0x8003,
    RightStickDown = 0x8004,
    RightStickLeft = 0x8005,
    RightStickRight = 0x8006,
    LeftStickUp = 0x8007,
    LeftStickDown = 0x8008,
    LeftStickRight = 0x8009,
    LeftStickLeft = 0x800A,
};

// Whether `code` (a button mask or a ControllerCode value) is satisfied by one pad reading. Triggers count only
// fully pulled; sticks only strictly beyond deadZone, compared in single precision.
bool IsControllerCodeDown(const gamepad::GamepadState& state, int code, int deadZone);

} // namespace kesto
