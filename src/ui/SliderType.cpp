#include "ui/SliderType.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace kesto
{

namespace
{

// The spellings the menu files have always used.
constexpr std::array<const char*, 4> sliderTypeTexts = {"MasterVolumn", "BGMVolumn", "SoundEffectVolumn", "Brightness"};

} // namespace

void WriteSliderType(JsonWriter& writer, SliderType type)
{
    writer.WriteString("slider_type", sliderTypeTexts[static_cast<std::size_t>(type)]);
}

void ReadSliderType(JsonReader& reader, SystemRegistry* registry, SliderType& type)
{
    std::string text;
    if (!reader.TryReadString("slider_type", text))
    {
        return;
    }
    const auto found = std::find(sliderTypeTexts.begin(), sliderTypeTexts.end(), std::string_view(text));
    if (found == sliderTypeTexts.end())
    {
        type = SliderType::MasterVolume;
        TraceReport(registry, "DATA", reader.SourceName(), "unknown slider_type \"" + text + "\"");
        return;
    }
    type = static_cast<SliderType>(found - sliderTypeTexts.begin());
}

} // namespace kesto
