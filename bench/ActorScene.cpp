#include "ActorScene.h"

#include "FrameTiming.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorBoidSystem.h"
#include "gameplay/BoidControllerComponent.h"
#include "gameplay/TriggerComponent.h"
#include "graphics/Camera.h"
#include "levels/LevelManager.h"
#include "physics/Gravity.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace kesto::bench
{

namespace
{

// The view's half extents at the camera's zoom.
struct View
{
    float halfWidth;
    float halfHeight;
};

// Files a new entity of the archetype under the level, at `at`; the render list is sorted once the scene is built,
// not after each of thousands of spawns.
Entity Spawn(SystemRegistry& registry, const std::string& archetype, Vec2 at)
{
    const Entity entity = registry.GetSystem<ArchetypeFactory>()->CreateFromArchetype(archetype, false);
    registry.GetSystem<LevelManager>()->AddToLevel(entity);
    if (auto* transform = registry.GetSystem<ECS>()->entityStore.GetComponent<Transform>(entity))
    {
        transform->SetTranslation(at);
    }
    return entity;
}

// `count` birds scattered over the view, each a member of the flock whose box is the view.
void AddFlock(SystemRegistry& registry, int count, View view, std::mt19937& random)
{
    const Entity flock = Spawn(registry, "Flock", {});
    auto& controller = *registry.GetSystem<ECS>()->entityStore.GetComponent<BoidControllerComponent>(flock);
    controller.minX = -view.halfWidth;
    controller.maxX = view.halfWidth;
    controller.minY = view.halfHeight;
    controller.maxY = -view.halfHeight;
    std::uniform_real_distribution<float> x(-view.halfWidth, view.halfWidth);
    std::uniform_real_distribution<float> y(-view.halfHeight, view.halfHeight);
    for (int i = 0; i < count; ++i)
    {
        Spawn(registry, "Bird", {x(random), y(random)});
    }
}

// Launches the birds (one in ten a frame) before anything is timed: all of them in 120 frames, fewer for a smoke
// run of a frame or two.
void LaunchAll(SystemRegistry& registry, int frames)
{
    for (int i = 0; i < std::min(120, 10 * frames); ++i)
    {
        registry.StepFrame(registry.lastTime + frameStep);
    }
}

// The boid system's update alone, once per substep of each frame; mean milliseconds per frame.
double BoidUpdateMs(SystemRegistry& registry, int frames)
{
    SystemStore& systems = registry.GetSystem<ECS>()->systemStore;
    BehaviorBoidSystem& boids = *systems.GetSystem<BehaviorBoidSystem>();
    EntityList& list = systems.GetEntityList<BehaviorBoidSystem>();
    const int substeps = systems.SubstepCount(frameStep);
    const float substep = frameStep / static_cast<float>(substeps);
    std::vector<double> times;
    for (int i = 0; i < frames; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < substeps; ++k)
        {
            boids.Update(list, substep);
        }
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return std::accumulate(times.begin(), times.end(), 0.0) /
           static_cast<double>(std::max<std::size_t>(1, times.size()));
}

} // namespace

void ActorScene(SystemRegistry& registry, int frames)
{
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    Camera& camera = *registry.GetSystem<Camera>();
    EmptyStage(registry);
    camera.SetPosition({0.0f, 0.0f});
    const View view{camera.GetZoom() * camera.GetAspect() * 0.5f, camera.GetZoom() * 0.5f};
    // The flock's launches and turns draw on rand(); the scene is the same on every run.
    std::srand(5);
    std::mt19937 random(5);

    // A player floating in the middle, whom the enemies circle and lunge at without killing.
    const Entity player = Spawn(registry, "Player", {0.0f, 0.0f});
    if (auto* gravity = store.GetComponent<Gravity>(player))
    {
        gravity->amount = 0.0f;
    }
    std::uniform_real_distribution<float> x(-view.halfWidth, view.halfWidth);
    std::uniform_real_distribution<float> y(-view.halfHeight, view.halfHeight);
    for (int i = 0; i < 50; ++i)
    {
        const Entity enemy = Spawn(registry, "FlyingEnemy", {x(random), y(random)});
        store.RemoveComponent<TriggerComponent>(enemy);
    }
    AddFlock(registry, 500, view, random);
    registry.GetSystem<ECS>()->SortRenderList();
    LaunchAll(registry, frames);
    const Figures figures = Measure(registry, frames);
    Print("500 boids + 50 enemies", figures);
    std::printf("%-24s %s the frame budget of %.1f ms (p95)\n", "", figures.p95Ms <= frameBudgetMs ? "within" : "OVER",
                frameBudgetMs);

    // The boid update alone as the flock grows over a box that grows with it (the same density, so the same number
    // of neighbours each): a quadratic search would grow sixteen-fold per fourfold flock, a linear one fourfold.
    for (const int count : {500, 2000, 8000})
    {
        levels.UnloadLevel();
        const float spread = std::sqrt(static_cast<float>(count) / 500.0f);
        AddFlock(registry, count, {view.halfWidth * spread, view.halfHeight * spread}, random);
        registry.GetSystem<ECS>()->SortRenderList();
        LaunchAll(registry, frames);
        std::printf("%-24s mean %7.3f ms per frame\n", ("boid update, " + std::to_string(count)).c_str(),
                    BoidUpdateMs(registry, frames));
    }
    levels.UnloadLevel();
}

} // namespace kesto::bench
