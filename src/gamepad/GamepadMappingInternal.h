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

// What a pad did between two readings that a reading alone can miss: the buttons it pressed (and perhaps
// released again) and how far it pulled each trigger at most, from SDL's controller events.
struct SdlPadPresses
{
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{}; // indexed by SDL_GameControllerButton
    Sint16 leftTriggerPeak = 0;                            // SDL trigger units, 0..32767
    Sint16 rightTriggerPeak = 0;
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

// Keeps a button press from an SDL_CONTROLLERBUTTONDOWN event; buttons SDL does not define are ignored.
void NotePress(SdlPadPresses& presses, SDL_GameControllerButton button);

// Keeps a trigger's value from an SDL_CONTROLLERAXISMOTION event if it is the farthest pull so far; stick motion
// is not kept (a stick is held, not tapped).
void NoteAxis(SdlPadPresses& presses, SDL_GameControllerAxis axis, Sint16 value);

// The reading with every button pressed since the last reading held down and each trigger pulled at least to its
// peak, so a press and release between two readings shows in exactly one of them.
SdlPadReading WithPresses(SdlPadReading reading, const SdlPadPresses& presses);

// Gives fresh the packet number of last when nothing else differs, and the next number otherwise.
void StampPacket(GamepadState& fresh, const GamepadState& last);

// XInput's left motor is the low-frequency one; both sides use 0..65535, so the speeds carry over as they are.
SdlRumble RumbleFromVibration(const GamepadVibration& vibration);

} // namespace kesto::gamepad
