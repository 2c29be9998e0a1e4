#include "physics/Actor.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorFallingSystem.h"
#include "physics/Solid.h"

namespace kesto
{

std::vector<ESystem*> Actor::CollisionTargets()
{
    const SystemStore& systems = registry->GetSystem<ECS>()->systemStore;
    return {systems.GetSystem<BehaviorFallingSystem>(), systems.GetSystem<Solid>()};
}

} // namespace kesto
