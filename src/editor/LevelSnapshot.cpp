#include "editor/LevelSnapshot.h"

#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/JsonReader.h"
#include "editor/LevelFile.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "levels/LevelManager.h"

#include <algorithm>

namespace kesto
{

LevelSnapshot CaptureLevel(SystemRegistry& registry, const Entity& selection)
{
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    const EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    const ArchetypeFactory& factory = *registry.GetSystem<ArchetypeFactory>();
    LevelSnapshot snapshot;
    snapshot.sublevels = levels.sublevels;
    for (std::size_t group = 0; group < levels.levelEntities.size(); ++group)
    {
        const std::vector<Entity>& entities = levels.levelEntities[group];
        snapshot.groups.push_back(LevelText(nullptr, store, factory, entities));
        const auto found = std::find(entities.begin(), entities.end(), selection);
        if (selection.IsValid() && found != entities.end())
        {
            snapshot.selectedGroup = static_cast<int>(group);
            snapshot.selectedIndex = static_cast<int>(found - entities.begin());
        }
    }
    return snapshot;
}

Entity RestoreLevel(SystemRegistry& registry, const LevelSnapshot& snapshot)
{
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    ArchetypeFactory& factory = *registry.GetSystem<ArchetypeFactory>();
    levels.UnloadLevel();
    levels.sublevels = snapshot.sublevels;
    levels.levelEntities.resize(std::max<std::size_t>(1, snapshot.groups.size()));
    for (std::size_t group = 0; group < snapshot.groups.size(); ++group)
    {
        JsonReader reader;
        reader.Parse(snapshot.groups[group], "the editor's history", registry.GetSystem<Trace>());
        while (reader.NextObjectMember("Archetype"))
        {
            const Entity entity = factory.CreateFromJSON(reader);
            if (entity.IsValid())
            {
                levels.levelEntities[group].push_back(entity);
            }
        }
    }
    registry.GetSystem<ECS>()->SortRenderList();
    if (snapshot.selectedGroup < 0 || static_cast<std::size_t>(snapshot.selectedGroup) >= levels.levelEntities.size())
    {
        return Entity::None();
    }
    const std::vector<Entity>& group = levels.levelEntities[static_cast<std::size_t>(snapshot.selectedGroup)];
    const auto index = static_cast<std::size_t>(snapshot.selectedIndex);
    return index < group.size() ? group[index] : Entity::None();
}

} // namespace kesto
