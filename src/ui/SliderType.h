#pragma once

#include <array>
#include <cstdint>

namespace kesto
{

// What a slider's value follows and sets; its knob, track and fill are matched by it.
enum class SliderType : std::uint8_t
{
    MasterVolume = 0,
    MusicVolume = 1,
    EffectsVolume = 2,
    Brightness = 3, // the knob moves, nothing else changes
};

// The texts the types are saved as under "slider_type", by type; the spellings the menu files have always used.
// An unknown text reads as MasterVolume.
constexpr std::array<const char*, 4> sliderTypeTexts = {"MasterVolumn", "BGMVolumn", "SoundEffectVolumn", "Brightness"};

} // namespace kesto
