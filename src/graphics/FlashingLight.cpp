#include "graphics/FlashingLight.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <string>

namespace kesto
{

void FlashingLight::Write(JsonWriter& writer) const
{
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        writer.BeginObject(std::to_string(i).c_str());
        writer.WriteFloat("time", keys[i].time);
        writer.WriteFloat("value", keys[i].value);
        writer.WriteBool("interpolate", keys[i].interpolate);
        writer.EndObject();
    }
}

void FlashingLight::Read(JsonReader& reader, SystemRegistry*)
{
    std::vector<Keyframe> read;
    while (reader.Enter(std::to_string(read.size()).c_str()))
    {
        Keyframe& key = read.emplace_back();
        reader.TryReadFloat("time", key.time);
        reader.TryReadFloat("value", key.value);
        reader.TryReadBool("interpolate", key.interpolate);
        reader.Leave();
    }
    if (!read.empty())
    {
        keys = std::move(read);
        length = keys.back().time;
    }
}

} // namespace kesto
