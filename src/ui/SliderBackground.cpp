#include "ui/SliderBackground.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void SliderBackground::Write(JsonWriter& writer) const
{
    writer.WriteString("Default_Sprite", defaultSprite);
    writer.WriteString("onPress_Sprite", pressSprite);
    WriteSliderType(writer, type);
}

void SliderBackground::Read(JsonReader& reader, SystemRegistry* registry)
{
    reader.TryReadString("Default_Sprite", defaultSprite);
    reader.TryReadString("onPress_Sprite", pressSprite);
    ReadSliderType(reader, registry, type);
}

} // namespace kesto
