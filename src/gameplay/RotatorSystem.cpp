#include "gameplay/RotatorSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "gameplay/Rotator.h"
#include "graphics/LightSource.h"

#include <cmath>

namespace kesto
{

void RotatorSystem::Update(EntityList& entities, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        const auto& rotator = *store.GetComponent<Rotator>(entity);
        auto& transform = *store.GetComponent<Transform>(entity);
        const float angle = (rotator.ccw ? rotator.speed : -rotator.speed) * dt;
        transform.SetRotation(transform.GetRotation() + angle);
        if (auto* light = store.GetComponent<LightSource>(entity))
        {
            // About the z axis: the light's cone turns with the sprite it is mounted on.
            const float c = std::cos(angle);
            const float s = std::sin(angle);
            const Vec3 dir = light->dir;
            light->dir = {dir.x * c - dir.y * s, dir.x * s + dir.y * c, dir.z};
        }
    }
}

} // namespace kesto
