#include "gameplay/BehaviorBoidComponent.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void BehaviorBoidComponent::Write(JsonWriter& writer) const
{
    writer.WriteInt("state", state);
    writer.WriteFloat("speed", speed);
    writer.WriteFloat("respawn_delay", respawnDelay);
    writer.WriteBool("loop", loop);
}

void BehaviorBoidComponent::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadInt("state", state);
    reader.TryReadFloat("speed", speed);
    reader.TryReadFloat("respawn_delay", respawnDelay);
    reader.TryReadBool("loop", loop);
}

bool BehaviorBoidComponent::Equals(const Component& other) const
{
    const auto* boid = dynamic_cast<const BehaviorBoidComponent*>(&other);
    return boid && speed == boid->speed && respawnDelay == boid->respawnDelay && loop == boid->loop;
}

} // namespace kesto
