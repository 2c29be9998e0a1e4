#include "ui/Slider.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Slider::Write(JsonWriter& writer) const
{
    writer.WriteFloat("min_value", min);
    writer.WriteFloat("current_value", current);
    writer.WriteFloat("max_value", max);
    WriteSliderType(writer, type);
}

void Slider::Read(JsonReader& reader, SystemRegistry* registry)
{
    reader.TryReadFloat("min_value", min);
    reader.TryReadFloat("current_value", current);
    reader.TryReadFloat("max_value", max);
    ReadSliderType(reader, registry, type);
}

} // namespace kesto
