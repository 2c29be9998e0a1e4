#include "particles/ParticleEmitter.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <algorithm>

namespace kesto
{

void ParticleEmitter::Write(JsonWriter& writer) const
{
    writer.WriteInt("Order", order);
    writer.WriteFloat("Depth", depth);
    writer.WriteInt("Emissions Count", static_cast<int>(emissionNames.size()));
    for (std::size_t i = 0; i < emissionNames.size(); ++i)
    {
        writer.BeginObject(("Emission" + std::to_string(i)).c_str());
        writer.WriteString("Emission Name", emissionNames[i]);
        writer.EndObject();
    }
}

void ParticleEmitter::Read(JsonReader& reader, SystemRegistry* registry)
{
    reader.TryReadInt("Order", order);
    reader.TryReadFloat("Depth", depth);
    int count = 0;
    if (!reader.TryReadInt("Emissions Count", count))
    {
        return;
    }
    // Each emission is a member of its own, so the file cannot hold more emissions than it has members.
    const int held = reader.MemberCount();
    if (count > held)
    {
        TraceReport(registry, "DATA", reader.SourceName(),
                    "\"Emissions Count\" " + std::to_string(count) + " is more than the " + std::to_string(held) +
                        " members the emitter holds; at most " + std::to_string(held) + " emissions are read");
        count = held;
    }
    emissionNames.clear();
    for (int i = 0; i < count; ++i)
    {
        const std::string key = "Emission" + std::to_string(i);
        if (!reader.Enter(key.c_str()))
        {
            TraceReport(registry, "DATA", reader.SourceName(), "particle emitter has no object \"" + key + "\"");
            continue;
        }
        std::string name;
        const bool named = reader.TryReadString("Emission Name", name);
        reader.Leave();
        if (!named || name.empty() ||
            std::find(emissionNames.begin(), emissionNames.end(), name) != emissionNames.end())
        {
            TraceReport(registry, "DATA", reader.SourceName(), key + " needs a unique, non-empty \"Emission Name\"");
            continue;
        }
        emissionNames.push_back(std::move(name));
    }
}

} // namespace kesto
