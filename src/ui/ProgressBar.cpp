#include "ui/ProgressBar.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void ProgressBar::Write(JsonWriter& writer) const
{
    writer.WriteFloat("min_value", min);
    writer.WriteFloat("current_value", current);
    writer.WriteFloat("max_value", max);
    writer.WriteVec2("max_scale", maxScale);
    writer.WriteVec2("original_position", anchorPosition);
    writer.WriteEnum("scaledirection", scaleDirection);
    writer.WriteInt("align", align);
}

void ProgressBar::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadFloat("min_value", min);
    reader.TryReadFloat("current_value", current);
    reader.TryReadFloat("max_value", max);
    reader.TryReadVec2("max_scale", maxScale);
    reader.TryReadVec2("original_position", anchorPosition);
    reader.TryReadEnum("scaledirection", scaleDirection);
    reader.TryReadInt("align", align);
}

} // namespace kesto
