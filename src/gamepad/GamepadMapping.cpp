#include "gamepad/GamepadMappingInternal.h"

#include <algorithm>
#include <cstddef>

namespace kesto::gamepad
{

std::int16_t StickYFromSdl(Sint16 sdlY)
{
    if (sdlY == SDL_JOYSTICK_AXIS_MIN)
    {
        return SDL_JOYSTICK_AXIS_MAX;
    }
    return static_cast<std::int16_t>(-sdlY);
}

std::uint8_t TriggerFromSdl(Sint16 sdlTrigger)
{
    if (sdlTrigger <= 0)
    {
        return 0;
    }
    constexpr int sdlFull = SDL_JOYSTICK_AXIS_MAX;
    constexpr int xinputFull = 255;
    return static_cast<std::uint8_t>((sdlTrigger * xinputFull + sdlFull / 2) / sdlFull);
}

std::uint16_t ButtonMaskFromSdl(SDL_GameControllerButton button)
{
    switch (button)
    {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return buttonDpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return buttonDpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return buttonDpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return buttonDpadRight;
    case SDL_CONTROLLER_BUTTON_START:
        return buttonStart;
    case SDL_CONTROLLER_BUTTON_BACK:
        return buttonBack;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
        return buttonLeftThumb;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
        return buttonRightThumb;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return buttonLeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return buttonRightShoulder;
    case SDL_CONTROLLER_BUTTON_A:
        return buttonA;
    case SDL_CONTROLLER_BUTTON_B:
        return buttonB;
    case SDL_CONTROLLER_BUTTON_X:
        return buttonX;
    case SDL_CONTROLLER_BUTTON_Y:
        return buttonY;
    default:
        return 0;
    }
}

GamepadState StateFromSdl(const SdlPadReading& reading)
{
    GamepadState state;
    for (std::size_t i = 0; i < reading.buttons.size(); ++i)
    {
        if (reading.buttons[i])
        {
            const auto button = static_cast<SDL_GameControllerButton>(i);
            state.buttons = static_cast<std::uint16_t>(state.buttons | ButtonMaskFromSdl(button));
        }
    }
    state.leftTrigger = TriggerFromSdl(reading.axes[SDL_CONTROLLER_AXIS_TRIGGERLEFT]);
    state.rightTrigger = TriggerFromSdl(reading.axes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT]);
    state.thumbLX = reading.axes[SDL_CONTROLLER_AXIS_LEFTX];
    state.thumbLY = StickYFromSdl(reading.axes[SDL_CONTROLLER_AXIS_LEFTY]);
    state.thumbRX = reading.axes[SDL_CONTROLLER_AXIS_RIGHTX];
    state.thumbRY = StickYFromSdl(reading.axes[SDL_CONTROLLER_AXIS_RIGHTY]);
    return state;
}

void NotePress(SdlPadPresses& presses, SDL_GameControllerButton button)
{
    if (button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX)
    {
        presses.buttons[static_cast<std::size_t>(button)] = true;
    }
}

void NoteAxis(SdlPadPresses& presses, SDL_GameControllerAxis axis, Sint16 value)
{
    if (axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT)
    {
        presses.leftTriggerPeak = std::max(presses.leftTriggerPeak, value);
    }
    else if (axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT)
    {
        presses.rightTriggerPeak = std::max(presses.rightTriggerPeak, value);
    }
}

SdlPadReading WithPresses(SdlPadReading reading, const SdlPadPresses& presses)
{
    for (std::size_t i = 0; i < reading.buttons.size(); ++i)
    {
        reading.buttons[i] = reading.buttons[i] || presses.buttons[i];
    }
    Sint16& left = reading.axes[SDL_CONTROLLER_AXIS_TRIGGERLEFT];
    Sint16& right = reading.axes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT];
    left = std::max(left, presses.leftTriggerPeak);
    right = std::max(right, presses.rightTriggerPeak);
    return reading;
}

void StampPacket(GamepadState& fresh, const GamepadState& last)
{
    fresh.packetNumber = last.packetNumber;
    if (fresh != last)
    {
        ++fresh.packetNumber;
    }
}

SdlRumble RumbleFromVibration(const GamepadVibration& vibration)
{
    return SdlRumble{vibration.leftMotorSpeed, vibration.rightMotorSpeed};
}

} // namespace kesto::gamepad
