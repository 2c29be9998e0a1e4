#include "BenchEngine.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace
{

using namespace kesto;

// Creates N entities from a six-component archetype, then destroys them all; reports the time per entity.
void CreateAndDestroyEntities(benchmark::State& state)
{
    SystemRegistry registry;
    bench::BuildHeadlessEngine(registry, KESTO_BENCH_DATA "/archetypes");
    ArchetypeFactory* archetypes = registry.GetSystem<ArchetypeFactory>();
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;

    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<Entity> entities;
    entities.reserve(count);
    for (auto _ : state)
    {
        for (std::size_t i = 0; i < count; ++i)
        {
            entities.push_back(archetypes->CreateFromArchetype("SixParts", false));
        }
        for (const Entity& entity : entities)
        {
            store.DestroyEntity(entity);
        }
        entities.clear();
    }
    state.counters["per_entity"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(CreateAndDestroyEntities)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
