#include "input/ControllerCode.h"

#include <cstdint>

namespace kesto
{

namespace
{

bool IsFull(std::uint8_t trigger) { return static_cast<float>(trigger) / 255.0f == 1.0f; }

bool Above(std::int16_t axis, int deadZone) { return static_cast<float>(axis) > static_cast<float>(deadZone); }

bool Below(std::int16_t axis, int deadZone) { return static_cast<float>(axis) < -static_cast<float>(deadZone); }

} // namespace

bool IsControllerCodeDown(const gamepad::GamepadState& state, int code, int deadZone)
{
    switch (static_cast<ControllerCode>(code))
    {
    case ControllerCode::RightTriggerFull:
        return IsFull(state.rightTrigger);
    case ControllerCode::LeftTriggerFull:
        return IsFull(state.leftTrigger);
    case ControllerCode::RightStickUp:
        return Above(state.thumbRY, deadZone);
    case ControllerCode::RightStickDown:
        return Below(state.thumbRY, deadZone);
    case ControllerCode::RightStickLeft:
        return Below(state.thumbRX, deadZone);
    case ControllerCode::RightStickRight:
        return Above(state.thumbRX, deadZone);
    case ControllerCode::LeftStickUp:
        return Above(state.thumbLY, deadZone);
    case ControllerCode::LeftStickDown:
        return Below(state.thumbLY, deadZone);
    case ControllerCode::LeftStickRight:
        return Above(state.thumbLX, deadZone);
    case ControllerCode::LeftStickLeft:
        return Below(state.thumbLX, deadZone);
    }
    // Both sides are taken as 16 bits, so codes past 0xFFFF test their low half.
    return (state.buttons & static_cast<std::uint16_t>(code)) != 0;
}

} // namespace kesto
