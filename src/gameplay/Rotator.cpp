#include "gameplay/Rotator.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Rotator::Write(JsonWriter& writer) const
{
    writer.WriteFloat("speed", speed);
    writer.WriteBool("ccw", ccw);
}

void Rotator::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadFloat("speed", speed);
    reader.TryReadBool("ccw", ccw);
}

bool Rotator::Equals(const Component& other) const
{
    const auto* rotator = dynamic_cast<const Rotator*>(&other);
    return rotator && speed == rotator->speed && ccw == rotator->ccw;
}

} // namespace kesto
