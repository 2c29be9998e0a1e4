#pragma once

#include "ecs/Transform.h"
#include "physics/Collider.h"
#include "physics/CollisionSystem.h"
#include "physics/Gravity.h"
#include "physics/Physics.h"
#include "physics/Rigidbody.h"
#include "support/TestWorld.h"

#include <string>

namespace kesto::test
{

// A world of solids and moving bodies, stepped through `Physics` and `CollisionSystem` alone so that no other
// system's frame work gets in the way.
struct PhysicsWorld : TestWorld
{
    PhysicsWorld() { Init(); }

    Entity AddSolid(Vec2 position, Vec2 size, const std::string& name = "solid")
    {
        const Entity entity(name);
        auto* transform = Store().AddComponent<Transform>(entity);
        transform->SetTranslation(position);
        transform->SetScale(size);
        Store().AddComponent<Collider>(entity);
        return entity;
    }

    // A body in the `Actor` system, at rest, with previous position equal to its position.
    Entity AddActor(Vec2 position, Vec2 size, const std::string& name = "actor")
    {
        const Entity entity = AddSolid(position, size, name);
        Get<Transform>(entity).SetPreviousTranslation(position);
        Store().AddComponent<Rigidbody>(entity);
        return entity;
    }

    // Moves a body as if `Physics` had just taken it from `previous` to `current`.
    void Place(const Entity& entity, Vec2 previous, Vec2 current)
    {
        auto& transform = Get<Transform>(entity);
        transform.SetPreviousTranslation(previous);
        transform.SetTranslation(current);
        Get<Collider>(entity).boundsStale = true;
    }

    void Integrate(float dt) { Systems().GetSystem<Physics>()->Update(Systems().GetEntityList<Physics>(), dt); }
    void Collide() { Systems().GetSystem<CollisionSystem>()->Update(Systems().GetEntityList<CollisionSystem>(), 0.0f); }
    void Step(float dt)
    {
        Integrate(dt);
        Collide();
    }

    // The entity's component of type T, which the test knows is there.
    template <typename T> T& Get(const Entity& entity) { return *Store().GetComponent<T>(entity); }

    Vec2 Position(const Entity& entity) { return Get<Transform>(entity).GetTranslation(); }
    Vec2 Velocity(const Entity& entity) { return Get<Rigidbody>(entity).velocity; }
};

} // namespace kesto::test
