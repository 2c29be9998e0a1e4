#include "gameplay/BehaviorFlying.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

// Keys keep the spellings the level files have always used ("Atack Rate", "Free radius").
void BehaviorFlying::Write(JsonWriter& writer) const
{
    writer.WriteFloat("Normal Speed", normalSpeed);
    writer.WriteVec2List("Patrol Points", patrolPoints);
    writer.WriteFloat("Circle Speed", circleSpeed);
    writer.WriteFloat("Circle Radius", circleRadius);
    writer.WriteFloat("Atack Rate", attackRate);
    writer.WriteFloat("Start Lag", startLag);
    writer.WriteFloat("Attack Speed", attackSpeed);
    writer.WriteFloat("Detection Radius", detectionRadius);
    writer.WriteFloat("Free radius", fleeRadius);
    writer.WriteFloat("Flee Speed", fleeSpeed);
    writer.WriteString("attack", attackAnimation);
    writer.WriteString("windup", windupAnimation);
    writer.WriteString("flying", flyingAnimation);
    writer.WriteString("defeat", defeatAnimation);
}

void BehaviorFlying::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadFloat("Normal Speed", normalSpeed);
    reader.TryReadVec2List("Patrol Points", patrolPoints);
    reader.TryReadFloat("Circle Speed", circleSpeed);
    reader.TryReadFloat("Circle Radius", circleRadius);
    reader.TryReadFloat("Atack Rate", attackRate);
    reader.TryReadFloat("Start Lag", startLag);
    reader.TryReadFloat("Attack Speed", attackSpeed);
    reader.TryReadFloat("Detection Radius", detectionRadius);
    reader.TryReadFloat("Free radius", fleeRadius);
    reader.TryReadFloat("Flee Speed", fleeSpeed);
    reader.TryReadString("attack", attackAnimation);
    reader.TryReadString("windup", windupAnimation);
    reader.TryReadString("flying", flyingAnimation);
    reader.TryReadString("defeat", defeatAnimation);
}

} // namespace kesto
