#include "physics/CollisionSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"
#include "physics/Collider.h"
#include "physics/DebugBox.h"
#include "physics/Physics.h"

#include <typeinfo>

namespace kesto
{

namespace
{

// Brings the entity's boxes up to date; false when they are stale and it has no transform to size them by.
bool Refresh(EntityStore& store, const Entity& entity, Collider& collider)
{
    // Most targets have not moved since they were last refreshed; skipping the lookup halves the cost of a pair.
    if (!collider.sizeStale && !collider.boundsStale)
    {
        return true;
    }
    const auto* transform = store.GetComponent<Transform>(entity);
    if (!transform)
    {
        return false;
    }
    collider.Refresh(*transform);
    return true;
}

} // namespace

void CollisionSystem::Update(EntityList&, float)
{
    ECS* ecs = registry->GetSystem<ECS>();
    EntityStore& store = ecs->entityStore;
    SystemStore& systems = ecs->systemStore;
    for (ESystem* system : systems.GetSystemsWithComponents(MakeSignature({ComponentType::Collider})))
    {
        const std::vector<ESystem*> targets = system->CollisionTargets();
        for (const Entity& listed : systems.GetEntityList(typeid(*system)))
        {
            // A copy, because handlers may add or destroy entities while the list is walked.
            const Entity self = listed;
            auto* collider = store.GetComponent<Collider>(self);
            if (!collider)
            {
                continue;
            }
            collider->ClearContacts();
            if (Refresh(store, self, *collider) && !collider->disabled)
            {
                TestAgainstTargets(self, targets, store, systems);
            }
        }
    }
    if (systems.debugDraw)
    {
        DrawDebug(store, systems);
    }
}

void CollisionSystem::DrawDebug(EntityStore& store, SystemStore& systems)
{
    RendererSystem& renderer = *systems.GetSystem<RendererSystem>();
    for (const DebugBox& box : ColliderDebugBoxes(store, systems))
    {
        renderer.AddDebugRect(box.centre, box.size.x, box.size.y, box.colour, box.width);
    }
    for (const DebugSegment& line : VelocityDebugLines(systems.GetEntityList<Physics>(), store))
    {
        renderer.AddDebugLine(line.from, line.to, line.colour, line.width);
    }
}

void CollisionSystem::TestAgainstTargets(const Entity& self, const std::vector<ESystem*>& targets, EntityStore& store,
                                         SystemStore& systems)
{
    const auto* own = store.GetComponent<Collider>(self);
    for (ESystem* target : targets)
    {
        for (const Entity& other : systems.GetEntityList(typeid(*target)))
        {
            if (other.id == self.id)
            {
                continue;
            }
            auto* collider = store.GetComponent<Collider>(other);
            if (!collider || collider->disabled || !Refresh(store, other, *collider) || systems.editorMode)
            {
                continue;
            }
            if (!own->WorldBox().Overlaps(collider->WorldBox()))
            {
                continue;
            }
            target->CollisionHandler(self, other);
            // The handler may have destroyed either entity or taken components away from it.
            own = store.GetComponent<Collider>(self);
            if (!own || !store.HasComponent<Transform>(self))
            {
                return;
            }
        }
    }
}

} // namespace kesto
