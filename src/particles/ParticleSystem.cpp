#include "particles/ParticleSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Sprite.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticlePool.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kesto
{

namespace
{

constexpr float shortestWarmUpStep = 1.0f / 120.0f;

// Whether the emission can spawn: switched on and with a template to spawn from.
bool CanSpawn(const Emission& emission) { return emission.active && emission.particleTemplate; }

} // namespace

void ParticleSystem::Update(EntityList& entities, float dt)
{
    ECS& ecs = *registry->GetSystem<ECS>();
    if (ecs.systemStore.editorMode)
    {
        return;
    }
    EntityStore& store = ecs.entityStore;
    Random& random = *registry->GetSystem<Random>();
    for (const Entity& entity : entities)
    {
        auto& emitter = *store.GetComponent<ParticleEmitter>(entity);
        const auto& transform = *store.GetComponent<Transform>(entity);
        PoolStep step;
        step.place = {transform.GetTranslation(), transform.GetPreviousTranslation(), transform.GetRotation()};
        step.sprite = store.GetComponent<Sprite>(entity);
        step.random = &random;
        step.clock = clock;
        step.dt = dt;
        if (emitter.prewarmPending)
        {
            WarmUp(emitter, step, entity.name);
            emitter.prewarmPending = false;
        }
        if (!emitter.needsUpdate)
        {
            continue;
        }
        emitter.needsUpdate = false;
        for (EmissionSlot& slot : emitter.emissions)
        {
            const int spawn = CanSpawn(slot.emission) ? slot.emission.SpawnCount(dt) : 0;
            const bool alive = UpdatePool(slot, Room(slot, spawn, entity.name), step);
            // An active emission may spawn later even while none of its particles is alive.
            emitter.needsUpdate = emitter.needsUpdate || alive || CanSpawn(slot.emission);
        }
    }
    clock += dt;
}

void ParticleSystem::WarmUp(ParticleEmitter& emitter, PoolStep step, const std::string& entityName)
{
    if (!emitter.needsUpdate)
    {
        return;
    }
    // A frame of 0 warms up in steps of 1/60 s; a very short frame (slowed time at a high frame rate) in steps of
    // no less than 1/120 s, so the warm-up never takes more than a few thousand steps.
    step.dt = step.dt > 0.0f ? std::max(step.dt, shortestWarmUpStep) : 1.0f / 60.0f;
    // Standing still while it warms up: no trail segment.
    step.place.previousPosition = step.place.position;
    const auto steps = static_cast<int>(std::lround(warmUpSeconds / step.dt));
    const float start = step.clock;
    for (EmissionSlot& slot : emitter.emissions)
    {
        if (!CanSpawn(slot.emission) || !slot.emission.endless)
        {
            continue;
        }
        for (int i = 0; i < steps; ++i)
        {
            step.clock = start + static_cast<float>(i) * step.dt;
            const int spawn = CanSpawn(slot.emission) ? slot.emission.SpawnCount(step.dt) : 0;
            UpdatePool(slot, Room(slot, spawn, entityName), step);
        }
    }
}

int ParticleSystem::Room(EmissionSlot& slot, int spawn, const std::string& entityName)
{
    const int room = static_cast<int>(EmissionSlot::maxParticles) - slot.liveCount;
    if (spawn <= room)
    {
        return spawn;
    }
    if (!slot.fullReported)
    {
        slot.fullReported = true;
        TraceReport(registry, "PARTICLES", entityName,
                    "emission \"" + slot.emission.name + "\" holds " + std::to_string(EmissionSlot::maxParticles) +
                        " particles, the most one may; more are born only as these die");
    }
    return std::max(room, 0);
}

} // namespace kesto
