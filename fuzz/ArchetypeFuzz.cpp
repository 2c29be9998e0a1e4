// Any text as an archetype file: read into prototypes, then an entity made from it and destroyed.
#include "FuzzWorld.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kesto::fuzz::FuzzWorld& world = kesto::fuzz::World();
    kesto::fuzz::FuzzWorld::Put("Assets/Data/Archetypes/Fuzz.json", kesto::fuzz::Text(data, size));
    kesto::ArchetypeFactory& factory = *world.registry.GetSystem<kesto::ArchetypeFactory>();
    factory.LoadFile("Fuzz.json");
    const kesto::Entity entity = factory.CreateFromArchetype("Fuzz", true);
    if (entity.IsValid())
    {
        world.registry.GetSystem<kesto::ECS>()->entityStore.DestroyEntity(entity);
    }
    return 0;
}
