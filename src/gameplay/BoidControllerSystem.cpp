#include "gameplay/BoidControllerSystem.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorBoidSystem.h"

namespace kesto
{

void BoidControllerSystem::Update(EntityList& entities, float)
{
    auto& boids = *registry->GetSystem<ECS>()->systemStore.GetSystem<BehaviorBoidSystem>();
    boids.controller = entities.empty() ? Entity::None() : *entities.begin();
}

} // namespace kesto
