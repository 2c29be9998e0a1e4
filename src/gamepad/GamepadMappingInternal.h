#pragma once

#include "gamepad/GamepadState.h"

#include <SDL.h>
#include <array>
#include <cstdint>

// Pure conversions from SDL's game controller values to XInput's, kept apart from the device code so they can be
// tested without a pad.
namespace kesto::gamepad
{

// Everything read from one SDL game controller in one poll, in SDL's own units.
struct SdlPadReading
{
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{}; // indexed by SDL_GameControllerButton
    std::array<Sint16, SDL_CONTROLLER_AXIS_MAX> axes{};    // indexed by SDL_GameControllerAxis
};

// Motor intensities as SDL_GameControllerRumble takes them.
struct SdlRumble
{
    Uint16 lowFrequency = 0;
    Uint16 highFrequency = 0;
};

// SDL's stick y grows downwards and XInput's upwards; -32768 has no 16-bit negation and becomes 32767.
std::int16_t StickYFromSdl(Sint16 sdlY);

// SDL triggers run 0..32767, XInput's 0..255 (rounded, so only a full pull gives 255). Negative values, which
// SDL does not send for triggers, read as released.
std::uint8_t TriggerFromSdl(Sint16 sdlTrigger);

// The XInput mask of an SDL button; 0 for buttons XInput does not report (guide, paddles, touchpad, misc).
std::uint16_t ButtonMaskFromSdl(SDL_GameControllerButton button);

// The whole reading in XInput's layout; packetNumber is left 0 for StampPacket.
GamepadState StateFromSdl(const SdlPadReading& reading);

// Gives fresh the packet number of last when nothing else differs, and the next number otherwise.
void StampPacket(GamepadState& fresh, const GamepadState& last);

// XInput's left motor is the low-frequency one; both sides use 0..65535, so the speeds carry over as they are.
SdlRumble RumbleFromVibration(const GamepadVibration& vibration);

} // namespace kesto::gamepad
