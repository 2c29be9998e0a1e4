#include "graphics/LightSource.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void LightSource::Write(JsonWriter& writer) const
{
    writer.WriteVec3("color", color);
    writer.WriteVec3("dir", dir);
    writer.WriteFloat("angle", angle);
    writer.WriteBool("bidirectional", bidirectional);
    writer.WriteFloat("edgeSmooth", edgeSmooth);
    writer.WriteFloat("intensity", intensity);
    writer.WriteFloat("radius", radius);
    writer.WriteFloat("depth", depth);
    writer.WriteBool("depthPositioned", depthPositioned);
}

void LightSource::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadVec3("color", color);
    reader.TryReadVec3("dir", dir);
    reader.TryReadFloat("angle", angle);
    reader.TryReadBool("bidirectional", bidirectional);
    reader.TryReadFloat("edgeSmooth", edgeSmooth);
    reader.TryReadFloat("intensity", intensity);
    reader.TryReadFloat("radius", radius);
    reader.TryReadFloat("depth", depth);
    reader.TryReadBool("depthPositioned", depthPositioned);
}

bool LightSource::Equals(const Component& other) const
{
    const auto* o = dynamic_cast<const LightSource*>(&other);
    return o && color == o->color && intensity == o->intensity && dir == o->dir && angle == o->angle &&
           bidirectional == o->bidirectional && edgeSmooth == o->edgeSmooth && radius == o->radius &&
           depth == o->depth && depthPositioned == o->depthPositioned;
}

} // namespace kesto
