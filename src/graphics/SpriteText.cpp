#include "graphics/SpriteText.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void SpriteText::Write(JsonWriter& writer) const
{
    writer.WriteString("source", source);
    writer.WriteInt("order", order);
    writer.WriteInt("id", id);
}

void SpriteText::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadString("source", source);
    reader.TryReadInt("order", order);
    reader.TryReadInt("id", id);
}

bool SpriteText::Equals(const Component& other) const
{
    const auto* text = dynamic_cast<const SpriteText*>(&other);
    return text && source == text->source && order == text->order && id == text->id;
}

} // namespace kesto
