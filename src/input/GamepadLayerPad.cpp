#include "input/GamepadLayerPad.h"

#include <utility>

namespace kesto
{

GamepadLayerPad::GamepadLayerPad(gamepad::GamepadReport report) : pad(std::move(report)) {}

gamepad::GamepadResult GamepadLayerPad::GetState(gamepad::GamepadState& state) { return pad.GetState(state); }

gamepad::GamepadResult GamepadLayerPad::SetState(const gamepad::GamepadVibration& vibration)
{
    return pad.SetState(vibration);
}

} // namespace kesto
