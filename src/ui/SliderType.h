#pragma once

#include <cstdint>

namespace kesto
{

class JsonReader;
class JsonWriter;
class SystemRegistry;

// What a slider's value follows and sets; its knob, track and fill are matched by it.
enum class SliderType : std::uint8_t
{
    MasterVolume = 0,
    MusicVolume = 1,
    EffectsVolume = 2,
    Brightness = 3, // the knob moves, nothing else changes
};

// Writes `type` as its text under "slider_type".
void WriteSliderType(JsonWriter& writer, SliderType type);
// Reads "slider_type" when it is a string; an unknown text reads as MasterVolume and is reported.
void ReadSliderType(JsonReader& reader, SystemRegistry* registry, SliderType& type);

} // namespace kesto
