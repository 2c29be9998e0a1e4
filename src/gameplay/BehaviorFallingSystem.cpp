#include "gameplay/BehaviorFallingSystem.h"

#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorFalling.h"
#include "graphics/Sprite.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"
#include "physics/Solid.h"

namespace kesto
{

// One platform's components for the current update; the system's signature guarantees all but the optional ones.
struct FallingParts
{
    Entity entity;
    BehaviorFalling& platform;
    Transform& transform;
    Rigidbody& body;
    Collider& collider;
    Sprite* sprite;       // may be absent: nothing shows or shakes
    SoundEmitter* sounds; // may be absent: the fall is silent
};

template <void (BehaviorFallingSystem::*member)(FallingParts&)>
void BehaviorFallingSystem::Call(ESystem& s, const Entity& e)
{
    auto& system = static_cast<BehaviorFallingSystem&>(s);
    FallingParts parts = system.Gather(e);
    (system.*member)(parts);
}

template <void (BehaviorFallingSystem::*member)(FallingParts&, float)>
void BehaviorFallingSystem::CallUpdate(ESystem& s, const Entity& e, float dt)
{
    auto& system = static_cast<BehaviorFallingSystem&>(s);
    FallingParts parts = system.Gather(e);
    (system.*member)(parts, dt);
}

void BehaviorFallingSystem::Init()
{
    states.assign(4, StateDefinition{});
    states[BehaviorFalling::idleState].enter = &Call<&BehaviorFallingSystem::IdleEnter>;
    states[BehaviorFalling::shakingState].update = &CallUpdate<&BehaviorFallingSystem::ShakingUpdate>;
    states[BehaviorFalling::fallingState].enter = &Call<&BehaviorFallingSystem::FallingEnter>;
    states[BehaviorFalling::fallingState].update = &CallUpdate<&BehaviorFallingSystem::FallingUpdate>;
    states[BehaviorFalling::respawningState].update = &CallUpdate<&BehaviorFallingSystem::RespawningUpdate>;
}

FallingParts BehaviorFallingSystem::Gather(const Entity& entity)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    return {entity,
            *store.GetComponent<BehaviorFalling>(entity),
            *store.GetComponent<Transform>(entity),
            *store.GetComponent<Rigidbody>(entity),
            *store.GetComponent<Collider>(entity),
            store.GetComponent<Sprite>(entity),
            store.GetComponent<SoundEmitter>(entity)};
}

void BehaviorFallingSystem::Update(EntityList& entities, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        StateMachine& machine = store.GetComponent<BehaviorFalling>(entity)->stateMachine;
        machine.states = &states;
        machine.Update(*this, entity, dt);
    }
}

void BehaviorFallingSystem::IdleEnter(FallingParts& p)
{
    if (p.sprite)
    {
        p.sprite->alpha = 1.0f;
    }
    p.platform.homePosition = p.transform.GetTranslation();
    p.platform.savedTimeTillFall = p.platform.timeTillFall;
}

void BehaviorFallingSystem::ShakingUpdate(FallingParts& p, float dt)
{
    BehaviorFalling& platform = p.platform;
    if (platform.timeTillFall > 0.0f)
    {
        if (p.sprite)
        {
            Random& random = *registry->GetSystem<Random>();
            const float a = random.RandomFloat(-1.0f, 1.0f);
            const float b = random.RandomFloat(0.5f, 1.0f);
            p.sprite->offset = {platform.jiggleNoise * a, -(platform.jiggleNoise * b)};
        }
        platform.timeTillFall -= dt;
        return;
    }
    if (p.sprite)
    {
        p.sprite->offset = {0.0f, 0.0f};
    }
    platform.stateMachine.SetState(BehaviorFalling::fallingState);
}

void BehaviorFallingSystem::FallingEnter(FallingParts& p)
{
    BehaviorFalling& platform = p.platform;
    p.body.velocity.y = platform.fallSpeed;
    platform.savedTimeTillRespawn = platform.timeTillRespawn;
    platform.timeTillFall = platform.savedTimeTillFall;
    if (p.sounds)
    {
        p.sounds->QueueSound({fallSound});
    }
}

void BehaviorFallingSystem::FallingUpdate(FallingParts& p, float dt)
{
    BehaviorFalling& platform = p.platform;
    if (platform.timeTillRespawn > 0.0f)
    {
        platform.timeTillRespawn -= dt;
        return;
    }
    platform.stateMachine.SetState(BehaviorFalling::respawningState);
    if (p.sprite)
    {
        p.sprite->alpha = 0.0f;
    }
    p.body.velocity.y = 0.0f;
    platform.timeTillRespawn = platform.savedTimeTillRespawn;
    // Home in one jump: no sweep from where it fell to.
    p.transform.SetTranslation(platform.homePosition);
    p.transform.SetPreviousTranslation(platform.homePosition);
    p.collider.boundsStale = true;
}

void BehaviorFallingSystem::RespawningUpdate(FallingParts& p, float)
{
    if (p.platform.clearSinceLastUpdate)
    {
        p.platform.stateMachine.SetState(BehaviorFalling::idleState);
    }
    p.platform.clearSinceLastUpdate = true;
}

void BehaviorFallingSystem::CollisionHandler(Entity self, Entity other)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto& platform = *store.GetComponent<BehaviorFalling>(other);
    Solid& solid = *registry->GetSystem<ECS>()->systemStore.GetSystem<Solid>();
    auto* moverBody = store.GetComponent<Rigidbody>(self);
    const auto& platformBody = *store.GetComponent<Rigidbody>(other);
    // Only a landing on top counts: a touch from the side or from below neither shakes nor carries the mover.
    const auto landed = [&solid] { return solid.lastSide == ContactSide::Ground; };
    const auto ride = [&]
    {
        if (moverBody)
        {
            moverBody->velocity.y = platformBody.velocity.y;
            moverBody->acceleration.y = platformBody.acceleration.y;
        }
    };
    switch (platform.stateMachine.requestedState)
    {
    case BehaviorFalling::idleState:
        solid.Resolve(self, other);
        if (landed())
        {
            platform.stateMachine.SetState(BehaviorFalling::shakingState);
        }
        break;
    case BehaviorFalling::fallingState:
        solid.Resolve(self, other);
        if (landed())
        {
            ride();
        }
        break;
    case BehaviorFalling::shakingState:
        ride();
        solid.Resolve(self, other);
        break;
    default:
        // Not there while it respawns; anything overlapping its home box keeps it away.
        platform.clearSinceLastUpdate = false;
        break;
    }
}

} // namespace kesto
