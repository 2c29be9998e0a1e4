#include "gameplay/BehaviorFalling.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void BehaviorFalling::Write(JsonWriter& writer) const
{
    writer.WriteFloat("JiggleNoise", jiggleNoise);
    writer.WriteFloat("fallSpeed", fallSpeed);
    writer.WriteFloat("TimeTillRespawn", timeTillRespawn);
    writer.WriteFloat("TimeTillFall", timeTillFall);
}

void BehaviorFalling::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadFloat("JiggleNoise", jiggleNoise);
    reader.TryReadFloat("fallSpeed", fallSpeed);
    reader.TryReadFloat("TimeTillRespawn", timeTillRespawn);
    reader.TryReadFloat("TimeTillFall", timeTillFall);
}

bool BehaviorFalling::Equals(const Component& other) const
{
    const auto* platform = dynamic_cast<const BehaviorFalling*>(&other);
    return platform && jiggleNoise == platform->jiggleNoise && fallSpeed == platform->fallSpeed &&
           timeTillRespawn == platform->timeTillRespawn && timeTillFall == platform->timeTillFall;
}

} // namespace kesto
