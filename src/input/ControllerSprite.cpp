#include "input/ControllerSprite.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void ControllerSprite::Write(JsonWriter& writer) const
{
    writer.WriteString("Sprite", controllerSprite);
    writer.WriteVec2("Size", controllerSize);
}

void ControllerSprite::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadString("Sprite", controllerSprite);
    reader.TryReadVec2("Size", controllerSize);
}

bool ControllerSprite::Equals(const Component& other) const
{
    const auto& o = static_cast<const ControllerSprite&>(other);
    return controllerSprite == o.controllerSprite && controllerSize == o.controllerSize;
}

} // namespace kesto
