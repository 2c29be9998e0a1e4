#pragma once

#include "ecs/Component.h"

#include <string>
#include <vector>

namespace kesto
{

// Owns an entity's named particle emissions.
class ParticleEmitter : public ComponentOf<ParticleEmitter, ComponentType::ParticleEmitter>
{
public:
    static const FieldTable<ParticleEmitter>& Fields();
    // The described fields, then "Emissions Count" and one object "Emission<i>" per emission.
    void Write(JsonWriter& writer) const override;
    // "Emissions Count" and the objects "Emission0", "Emission1", ... replace the emissions.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // "Draw Order", "Depth", "Add New Emission" and the "Emissions" list, each renamed ("Name") or deleted.
    bool Inspect(SystemRegistry* registry) override;

    bool needsUpdate = true;    // a particle is alive or was spawned; the system skips the emitter otherwise
    bool prewarmPending = true; // run the warm-up on the next update
    int order = 0;              // draw order
    float depth = 0.0f;         // -1..1, as a sprite's
    // The emissions by name, in the order they were read; only their names are kept so far.
    std::vector<std::string> emissionNames{"Untitled0"};
};

} // namespace kesto
