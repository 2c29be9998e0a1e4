#pragma once

#include "ecs/ESystem.h"

#include <string>

namespace kesto
{

class ParticleEmitter;
struct EmissionSlot;
struct PoolStep;

// Spawns, moves, ages and kills the particles of every particle emitter; the renderer draws them.
class ParticleSystem : public ESystem
{
public:
    // Seconds an emitter's endless emissions are run ahead before its first update, so ambient effects start full.
    static constexpr float warmUpSeconds = 13.0f;

    void Init() override {}
    // Nothing is simulated in editor mode. Otherwise each emitter runs its warm-up once, then every update while a
    // particle of it is alive or one of its emissions is active.
    void Update(EntityList& entities, float dt) override;

    float clock = 0.0f; // seconds of particle time, shared by every emission's effects

private:
    void WarmUp(ParticleEmitter& emitter, PoolStep step, const std::string& entityName);
    // Particles the slot may take this update: `spawn`, or what fits under the pool's limit (reported once).
    int Room(EmissionSlot& slot, int spawn, const std::string& entityName);
};

} // namespace kesto
