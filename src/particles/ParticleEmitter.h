#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"
#include "particles/Emission.h"
#include "particles/Particle.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kesto
{

// An emission with the particles it owns.
struct EmissionSlot
{
    static constexpr std::size_t reservedParticles = 120;
    // No emission holds more, whatever its data asks for: births wait until some die.
    static constexpr std::size_t maxParticles = 10000;

    EmissionSlot() { pool.reserve(reservedParticles); }
    explicit EmissionSlot(Emission description) : emission(std::move(description)) { pool.reserve(reservedParticles); }

    // Whether the box around the live particles has anything in it.
    bool HasBounds() const { return liveMin.x <= liveMax.x; }

    Emission emission;
    std::vector<Particle> pool; // dead slots are reused before it grows
    int liveCount = 0;
    // The box around the live particles after the last update, their size included (world units, before the
    // emitter's depth parallax); empty while min > max.
    Vec2 liveMin{1.0f, 1.0f};
    Vec2 liveMax{-1.0f, -1.0f};
    bool fullReported = false; // the pool reached maxParticles and that was reported
};

// Gives an entity one or more named emissions; the particle system spawns and moves their particles, and the
// renderer draws them in the emitter's place in the draw order.
class ParticleEmitter : public ComponentOf<ParticleEmitter, ComponentType::ParticleEmitter>
{
public:
    // One emission, "Untitled0" (without a template until one is looked up).
    ParticleEmitter();

    static const FieldTable<ParticleEmitter>& Fields();
    // The described fields, then "Emissions Count" and one object "Emission<i>" per emission.
    void Write(JsonWriter& writer) const override;
    // "Emissions Count" and the objects "Emission0", "Emission1", ... replace the emissions.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // "Draw Order", "Depth", "Add New Emission" and the "Emissions" list: each renamed ("Name"), deleted
    // ("Delete?") or edited with its own controls.
    bool Inspect(SystemRegistry* registry) override;

    // The emission of that name, or null.
    Emission* FindEmission(const std::string& emissionName);
    // Starts the named emission over (active, mode restarted) and wakes the emitter; an unknown name does nothing.
    void PlayEmission(const std::string& emissionName);

    bool needsUpdate = true;    // a particle is alive or may be spawned; the system skips the emitter otherwise
    bool prewarmPending = true; // run the warm-up on the next update
    int order = 0;              // draw order
    float depth = 0.0f;         // -1..1, as a sprite's
    std::vector<EmissionSlot> emissions; // in the order they were read or added; names are unique

private:
    bool InspectEmissions(SystemRegistry* registry);
    bool HasEmission(const std::string& emissionName) const;
};

} // namespace kesto
