#include "game/LevelExits.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/TriggerComponent.h"
#include "gameplay/TriggerKindsWorld.h"
#include "levels/LevelManager.h"

#include <algorithm>

namespace kesto
{

std::vector<std::string> LevelExits(const SystemRegistry& registry)
{
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    const EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    std::vector<std::string> exits;
    for (const std::vector<Entity>& group : levels.levelEntities)
    {
        for (const Entity& entity : group)
        {
            const auto* trigger = store.GetComponent<TriggerComponent>(entity);
            for (std::size_t i = 0; trigger && i < trigger->functions.size(); ++i)
            {
                const auto* change = dynamic_cast<const TriggerNextLevel*>(trigger->functions[i].get());
                if (change && change->level != levels.currentLevel &&
                    std::find(exits.begin(), exits.end(), change->level) == exits.end())
                {
                    exits.push_back(change->level);
                }
            }
        }
    }
    return exits;
}

bool IsLeavingBy(const SystemRegistry& registry, const std::vector<std::string>& exits)
{
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    return std::any_of(exits.begin(), exits.end(),
                       [&](const std::string& exit)
                       { return levels.nextLevel == exit || levels.currentLevel == exit; });
}

} // namespace kesto
