#include "physics/Actor.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"

#include <utility>

namespace kesto
{

Actor::Actor(std::vector<std::type_index> targets) : targetTypes(std::move(targets)) {}

std::vector<ESystem*> Actor::CollisionTargets()
{
    const SystemStore& systems = registry->GetSystem<ECS>()->systemStore;
    std::vector<ESystem*> targets;
    targets.reserve(targetTypes.size());
    for (const std::type_index& type : targetTypes)
    {
        targets.push_back(systems.GetSystem(type));
    }
    return targets;
}

} // namespace kesto
