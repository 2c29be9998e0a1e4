#include "physics/DebugBox.h"

#include "ecs/EntityStore.h"
#include "ecs/SystemStore.h"
#include "ecs/Transform.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

#include <cstdint>
#include <typeinfo>
#include <unordered_set>

namespace kesto
{

namespace
{

constexpr Vec3 colliderColour{0.0f, 1.0f, 0.0f};
constexpr Vec3 velocityColour{1.0f, 0.0f, 1.0f};
constexpr float velocityLineScale = 0.2f; // a body moving at 500 units/s gets a line 100 units long

// Adds the outline of every listed entity with a collider that is not drawn yet.
void AddOutlines(EntityList& entities, const EntityStore& store, bool includeDisabled,
                 std::unordered_set<std::uint32_t>& drawn, std::vector<DebugBox>& boxes)
{
    for (const Entity& entity : entities)
    {
        const auto* collider = store.GetComponent<Collider>(entity);
        const auto* transform = store.GetComponent<Transform>(entity);
        if (!collider || !transform || (collider->disabled && !includeDisabled) || drawn.contains(entity.id))
        {
            continue;
        }
        drawn.insert(entity.id);
        const Vec2 scale = transform->GetScale();
        boxes.push_back({transform->GetTranslation() + collider->GetOffset(),
                         {scale.x * collider->GetScale().x, scale.y * collider->GetScale().y},
                         colliderColour});
    }
}

} // namespace

std::vector<DebugBox> ColliderDebugBoxes(EntityStore& store, SystemStore& systems)
{
    const std::vector<ESystem*> colliding = systems.GetSystemsWithComponents(MakeSignature({ComponentType::Collider}));
    std::unordered_set<std::uint32_t> drawn;
    std::vector<DebugBox> boxes;
    for (ESystem* system : colliding)
    {
        AddOutlines(systems.GetEntityList(typeid(*system)), store, true, drawn, boxes);
    }
    for (ESystem* system : colliding)
    {
        for (ESystem* target : system->CollisionTargets())
        {
            AddOutlines(systems.GetEntityList(typeid(*target)), store, false, drawn, boxes);
        }
    }
    return boxes;
}

std::vector<DebugSegment> VelocityDebugLines(EntityList& bodies, const EntityStore& store)
{
    std::vector<DebugSegment> lines;
    for (const Entity& entity : bodies)
    {
        const auto* transform = store.GetComponent<Transform>(entity);
        const auto* body = store.GetComponent<Rigidbody>(entity);
        if (!transform || !body)
        {
            continue;
        }
        const Vec2 from = transform->GetTranslation();
        lines.push_back({from, from + body->velocity * velocityLineScale, velocityColour});
    }
    return lines;
}

} // namespace kesto
