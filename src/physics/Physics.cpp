#include "physics/Physics.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"

namespace kesto
{

void Physics::Update(EntityList& entities, float dt)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        auto* transform = store.GetComponent<Transform>(entity);
        auto* body = store.GetComponent<Rigidbody>(entity);
        // The side a collision came from is judged from this position, so it is kept even when dt is 0.
        const Vec2 previous = transform->GetTranslation();
        transform->SetPreviousTranslation(previous);
        if (const auto* gravity = store.GetComponent<Gravity>(entity))
        {
            body->acceleration.y = gravity->Acceleration();
        }
        body->velocity += body->acceleration * dt;
        transform->SetTranslation(previous + body->velocity * dt);
        transform->SetRotation(transform->GetRotation() + body->angularVelocity * dt);
        if (auto* collider = store.GetComponent<Collider>(entity))
        {
            collider->boundsStale = true;
        }
    }
}

} // namespace kesto
