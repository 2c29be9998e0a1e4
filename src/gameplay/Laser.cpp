#include "gameplay/Laser.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Laser::Write(JsonWriter& writer) const
{
    writer.WriteFloat("Speed", speed);
    writer.WriteBool("OnOff", onOff);
    writer.WriteFloat("Time", time);
    writer.WriteFloat("OffTime", offTime);
    writer.WriteFloat("ChargeTime", chargeTime);
    writer.WriteFloat("Delay", delay);
    writer.WriteEnum("Direction", direction);
    writer.WriteVec2List("Patrol Points", patrolPoints);
    writer.WriteInt("PatrolNumber", patrolNumber);
    writer.WriteInt("OnOffNumber", onOffNumber);
    writer.WriteInt("TimeNumber", timeNumber);
    writer.WriteBool("Patrol On Off", patrolOn);
    writer.WriteBool("Timer On Off", timerOn);
}

void Laser::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadFloat("Speed", speed);
    reader.TryReadBool("OnOff", onOff);
    if (reader.TryReadFloat("Time", time))
    {
        timer = time;
    }
    reader.TryReadFloat("OffTime", offTime);
    reader.TryReadFloat("ChargeTime", chargeTime);
    reader.TryReadFloat("Delay", delay);
    reader.TryReadEnum("Direction", direction);
    reader.TryReadVec2List("Patrol Points", patrolPoints);
    reader.TryReadInt("PatrolNumber", patrolNumber);
    reader.TryReadInt("OnOffNumber", onOffNumber);
    reader.TryReadInt("TimeNumber", timeNumber);
    reader.TryReadBool("Patrol On Off", patrolOn);
    reader.TryReadBool("Timer On Off", timerOn);
}

} // namespace kesto
