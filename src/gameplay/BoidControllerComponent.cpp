#include "gameplay/BoidControllerComponent.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void BoidControllerComponent::Write(JsonWriter& writer) const
{
    writer.WriteInt("state", state);
    writer.WriteFloat("attractRadius", attractRadius);
    writer.WriteFloat("turnAway", turnAway);
    writer.WriteFloat("turnVector", turnVector);
    writer.WriteFloat("turnPosition", turnPosition);
    writer.WriteFloat("minX", minX);
    writer.WriteFloat("maxX", maxX);
    writer.WriteFloat("minY", minY);
    writer.WriteFloat("maxY", maxY);
    writer.WriteFloat("turn_mult", turnMultiplier);
    writer.WriteFloat("vec_mult", vecMultiplier);
    writer.WriteFloat("speed_damp", speedDampener);
    writer.WriteFloat("dist_buff", distanceBuffer);
    writer.WriteFloat("amp", amplitude);
    writer.WriteInt("wave", wavelength);
    writer.WriteFloat("degree", degree);
}

void BoidControllerComponent::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadInt("state", state);
    reader.TryReadFloat("attractRadius", attractRadius);
    reader.TryReadFloat("turnAway", turnAway);
    reader.TryReadFloat("turnVector", turnVector);
    reader.TryReadFloat("turnPosition", turnPosition);
    reader.TryReadFloat("minX", minX);
    reader.TryReadFloat("maxX", maxX);
    reader.TryReadFloat("minY", minY);
    reader.TryReadFloat("maxY", maxY);
    reader.TryReadFloat("turn_mult", turnMultiplier);
    reader.TryReadFloat("vec_mult", vecMultiplier);
    reader.TryReadFloat("speed_damp", speedDampener);
    reader.TryReadFloat("dist_buff", distanceBuffer);
    reader.TryReadFloat("amp", amplitude);
    reader.TryReadInt("wave", wavelength);
    reader.TryReadFloat("degree", degree);
}

} // namespace kesto
