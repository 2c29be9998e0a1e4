#include "ParticleScene.h"

#include "AllocationCount.h"
#include "FrameTiming.h"
#include "ecs/ECS.h"
#include "ecs/JsonReader.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "graphics/LightSource.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleSystem.h"
#include "particles/ParticleTemplateManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <optional>
#include <vector>

namespace kesto::bench
{

namespace
{

// Four lights spread across the view.
void AddLights(EntityStore& store, float halfWidth, std::vector<Entity>& created)
{
    for (int i = 0; i < 4; ++i)
    {
        const Entity entity("BenchLight");
        store.AddComponent<Transform>(entity)->SetTranslation(
            {-halfWidth + halfWidth * 0.5f * static_cast<float>(2 * i + 1), 0.0f});
        store.AddComponent<LightSource>(entity)->radius = 1500.0f;
        created.push_back(entity);
    }
}

} // namespace

void ParticleScene(SystemRegistry& registry, int frames)
{
    EmptyStage(registry);
    ECS& ecs = *registry.GetSystem<ECS>();
    registry.GetSystem<Random>()->Seed(11);
    Camera& camera = *registry.GetSystem<Camera>();
    const float halfWidth = camera.GetZoom() * camera.GetAspect() * 0.5f;
    const float halfHeight = camera.GetZoom() * 0.5f;
    std::vector<Entity> lights;
    AddLights(ecs.entityStore, halfWidth, lights);
    Print("lights, no particles", Measure(registry, frames));

    // The game's default look, living a little under ten bursts' time so each emitter holds 500 at most.
    auto& templates = *registry.GetSystem<ParticleTemplateManager>();
    ParticleTemplate look = *templates.Find("LightParticle");
    look.name = "BenchParticle";
    look.lifetime = 0.98f;
    look.ComputeScaleRate();
    templates.Add(look);
    std::vector<Entity> emitters;
    for (int i = 0; i < 20; ++i)
    {
        const Entity entity("BenchEmitter");
        ecs.entityStore.AddComponent<Transform>(entity)->SetTranslation(
            {-halfWidth + halfWidth * 0.4f * static_cast<float>(2 * (i % 5) + 1),
             -halfHeight + halfHeight * 0.5f * static_cast<float>(2 * (i / 5) + 1)});
        JsonReader reader;
        reader.Parse(R"({"Order": 1, "Emissions Count": 1, "Emission0": {"Emission Name": "Cloud",
            "Particle Template": "BenchParticle", "Particle Speed": 120.0, "Particle Rotational Speed": 2.0,
            "Emission Type": 1, "Emission Mode": {"Particles Per Burst": 50, "Bursts Per Second": 10.0},
            "Type": 1, "ShapeSphere": {"Radius": 150.0, "Origin": 0},
            "Effect Amount": 2, "Effect0": {"Effect Type": 1, "Strength": 0.5, "Frequency": 2.0},
            "Effect1": {"Effect Type": 3, "Percent": 50.0}}})",
                     "bench emitter", registry.GetSystem<Trace>());
        ecs.entityStore.AddComponent<ParticleEmitter>(entity)->Read(reader, &registry);
        emitters.push_back(entity);
    }
    ecs.SortRenderList();
    Measure(registry, 120);
    Print("20 x 500 particles", Measure(registry, frames));

    // The update alone, on the same emitters, once per substep of a frame as the game runs it.
    SystemStore& systems = ecs.systemStore;
    ParticleSystem& particles = *systems.GetSystem<ParticleSystem>();
    EntityList& list = systems.GetEntityList<ParticleSystem>();
    const int substeps = systems.SubstepCount(frameStep);
    const float substep = frameStep / static_cast<float>(substeps);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    std::size_t live = 0;
    const std::optional<std::size_t> allocationsBefore = AllocationCount();
    for (int i = 0; i < frames; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < substeps; ++k)
        {
            particles.Update(list, substep);
        }
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        for (const Entity& entity : emitters)
        {
            live +=
                static_cast<std::size_t>(ecs.entityStore.GetComponent<ParticleEmitter>(entity)->emissions[0].liveCount);
        }
    }
    const std::optional<std::size_t> allocationsAfter = AllocationCount();
    std::sort(times.begin(), times.end());
    std::printf("%-24s mean %7.3f ms   p95 %7.3f ms   (%d substeps, %.0f live particles, ", "particle update/frame",
                std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size()),
                times[static_cast<std::size_t>(0.95 * static_cast<double>(times.size() - 1))], substeps,
                static_cast<double>(live) / static_cast<double>(frames));
    if (allocationsBefore && allocationsAfter)
    {
        std::printf("%zu allocations in %d frames)\n", *allocationsAfter - *allocationsBefore, frames);
    }
    else
    {
        std::printf("allocations not counted in a sanitizer build)\n");
    }
    for (const Entity& entity : emitters)
    {
        ecs.entityStore.DestroyEntity(entity);
    }
    for (const Entity& entity : lights)
    {
        ecs.entityStore.DestroyEntity(entity);
    }
}

} // namespace kesto::bench
