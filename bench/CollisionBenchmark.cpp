#include "BenchEngine.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "physics/Collider.h"
#include "physics/CollisionSystem.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"

#include <benchmark/benchmark.h>

namespace
{

using namespace kesto;

constexpr float tileSize = 100.0f;
constexpr float tileSpacing = 200.0f; // tiles never touch each other
constexpr int tilesPerRow = 25;

Entity AddBox(EntityStore& store, Vec2 position, Vec2 size)
{
    const Entity entity;
    auto* transform = store.AddComponent<Transform>(entity);
    transform->SetTranslation(position);
    transform->SetPreviousTranslation(position);
    transform->SetScale(size);
    store.AddComponent<Collider>(entity);
    return entity;
}

// One collision pass over a world of solid tiles with a body sunk a little into the top of each of the first
// tiles, coming from above, so every body is resolved once per pass and every pair is tested.
void CollisionPass(benchmark::State& state)
{
    SystemRegistry registry;
    bench::BuildHeadlessEngine(registry);
    ECS* ecs = registry.GetSystem<ECS>();
    EntityStore& store = ecs->entityStore;

    const auto actors = static_cast<int>(state.range(0));
    const auto solids = static_cast<int>(state.range(1));
    for (int i = 0; i < solids; ++i)
    {
        AddBox(store, {(i % tilesPerRow) * tileSpacing, (i / tilesPerRow) * tileSpacing}, {tileSize, tileSize});
    }
    for (int i = 0; i < actors; ++i)
    {
        const Vec2 tileTop{(i % tilesPerRow) * tileSpacing, (i / tilesPerRow) * tileSpacing + tileSize * 0.5f};
        const Entity body = AddBox(store, tileTop + Vec2{0.0f, 20.0f}, {50.0f, 50.0f});
        store.GetComponent<Transform>(body)->SetPreviousTranslation(tileTop + Vec2{0.0f, 30.0f});
        store.AddComponent<Rigidbody>(body)->velocity = {0.0f, -600.0f};
        store.AddComponent<Gravity>(body);
    }

    SystemStore& systems = ecs->systemStore;
    CollisionSystem* collisions = systems.GetSystem<CollisionSystem>();
    EntityList& unused = systems.GetEntityList<CollisionSystem>();
    for (auto _ : state)
    {
        collisions->Update(unused, 1.0f / 60.0f);
    }
    state.counters["pairs"] = static_cast<double>(actors) * solids;
}

} // namespace

BENCHMARK(CollisionPass)->Args({50, 500})->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
