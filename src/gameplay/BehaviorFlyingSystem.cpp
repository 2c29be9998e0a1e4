#include "gameplay/BehaviorFlyingSystem.h"

#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gameplay/BehaviorFlying.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/Steering.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

#include <cmath>
#include <numbers>

namespace kesto
{

// One enemy's components and its view of the player, for the current update.
struct FlyingParts
{
    Entity entity;
    BehaviorFlying& enemy;
    Transform& transform;
    Rigidbody& body;
    Sprite* sprite;       // may be absent: the enemy is invisible and faces nowhere
    Animation* animation; // may be absent
    SoundEmitter* sounds; // may be absent: the enemy is silent
    Vec2 toPlayer;        // player position - enemy position
    float distance;       // to the player
};

namespace
{

constexpr float pi = std::numbers::pi_v<float>;

} // namespace

template <void (BehaviorFlyingSystem::*member)(FlyingParts&)>
void BehaviorFlyingSystem::Call(ESystem& s, const Entity& e)
{
    auto& system = static_cast<BehaviorFlyingSystem&>(s);
    FlyingParts parts = system.Gather(e, system.player);
    (system.*member)(parts);
}

template <void (BehaviorFlyingSystem::*member)(FlyingParts&, float)>
void BehaviorFlyingSystem::CallUpdate(ESystem& s, const Entity& e, float dt)
{
    auto& system = static_cast<BehaviorFlyingSystem&>(s);
    FlyingParts parts = system.Gather(e, system.player);
    (system.*member)(parts, dt);
}

void BehaviorFlyingSystem::Init()
{
    states.assign(6, StateDefinition{});
    states[BehaviorFlying::approachState].update = &CallUpdate<&BehaviorFlyingSystem::ApproachUpdate>;
    states[BehaviorFlying::circleState].update = &CallUpdate<&BehaviorFlyingSystem::CircleUpdate>;
    states[BehaviorFlying::fleeState].update = &CallUpdate<&BehaviorFlyingSystem::FleeUpdate>;
    states[BehaviorFlying::patrolState].update = &CallUpdate<&BehaviorFlyingSystem::PatrolUpdate>;
    states[BehaviorFlying::attackState].enter = &Call<&BehaviorFlyingSystem::AttackEnter>;
    states[BehaviorFlying::attackState].update = &CallUpdate<&BehaviorFlyingSystem::AttackUpdate>;
    states[BehaviorFlying::defeatedState].enter = &Call<&BehaviorFlyingSystem::DefeatedEnter>;
    states[BehaviorFlying::defeatedState].update = &CallUpdate<&BehaviorFlyingSystem::DefeatedUpdate>;
}

FlyingParts BehaviorFlyingSystem::Gather(const Entity& entity, const Entity& target)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto& transform = *store.GetComponent<Transform>(entity);
    const auto* playerTransform = store.GetComponent<Transform>(target);
    const Vec2 toPlayer = playerTransform ? playerTransform->GetTranslation() - transform.GetTranslation() : Vec2{};
    return {entity,
            *store.GetComponent<BehaviorFlying>(entity),
            transform,
            *store.GetComponent<Rigidbody>(entity),
            store.GetComponent<Sprite>(entity),
            store.GetComponent<Animation>(entity),
            store.GetComponent<SoundEmitter>(entity),
            toPlayer,
            toPlayer.Length()};
}

void BehaviorFlyingSystem::Update(EntityList& entities, float dt)
{
    SystemStore& systems = registry->GetSystem<ECS>()->systemStore;
    EntityList& players = systems.GetEntityList<BehaviorPlayerSystem>();
    if (players.empty())
    {
        return;
    }
    player = *players.begin();
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        auto& enemy = *store.GetComponent<BehaviorFlying>(entity);
        enemy.target = player;
        enemy.stateMachine.states = &states;
        if (enemy.stateMachine.requestedState < 0)
        {
            FlyingParts parts = Gather(entity, player);
            CheckTunables(entity, parts);
            Show(parts, enemy.flyingAnimation);
            enemy.stateMachine.SetState(BehaviorFlying::patrolState);
            continue;
        }
        enemy.stateMachine.Update(*this, entity, dt);
    }
}

void BehaviorFlyingSystem::CollisionHandler(Entity self, Entity other)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto& enemy = *store.GetComponent<BehaviorFlying>(other);
    const auto* toucher = store.GetComponent<BehaviorPlayer>(self);
    if (!toucher || enemy.stateMachine.requestedState == BehaviorFlying::defeatedState ||
        toucher->stateMachine.requestedState != static_cast<int>(PlayerState::Dash))
    {
        return;
    }
    enemy.stateMachine.SetState(BehaviorFlying::defeatedState);
    // A defeated enemy touches nothing more, so its own kill trigger cannot catch the player dashing through it.
    if (auto* collider = store.GetComponent<Collider>(other))
    {
        collider->disabled = true;
    }
}

void BehaviorFlyingSystem::PatrolUpdate(FlyingParts& p, float)
{
    BehaviorFlying& enemy = p.enemy;
    if (p.distance < enemy.detectionRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::approachState);
    }
    else if (enemy.patrolPoints.empty())
    {
        p.body.velocity.x = 0.0f;
    }
    else
    {
        FollowPatrol(enemy.patrolPoints, enemy.nextPatrolIndex, p.transform.GetTranslation(), enemy.normalSpeed,
                     p.body.velocity);
    }
}

void BehaviorFlyingSystem::ApproachUpdate(FlyingParts& p, float)
{
    BehaviorFlying& enemy = p.enemy;
    if (p.distance < enemy.circleRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::circleState);
    }
    else if (p.distance > enemy.detectionRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::patrolState);
    }
    else
    {
        const Vec2 position = p.transform.GetTranslation();
        MoveTowards(position, position + p.toPlayer, enemy.normalSpeed, p.body.velocity);
    }
}

void BehaviorFlyingSystem::CircleUpdate(FlyingParts& p, float dt)
{
    BehaviorFlying& enemy = p.enemy;
    FacePlayer(p);
    float tilt = std::atan2(p.toPlayer.y, p.toPlayer.x) * 0.25f;
    if (p.toPlayer.x < 0.0f)
    {
        tilt += p.toPlayer.y >= 0.0f ? pi * 1.75f : pi * 0.25f;
    }
    p.transform.SetRotation(tilt);
    if (p.distance < enemy.fleeRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::fleeState);
    }
    else if (p.distance > enemy.circleRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::approachState);
    }
    else if (enemy.attackTimer > enemy.attackRate)
    {
        enemy.stateMachine.SetState(BehaviorFlying::attackState);
    }
    else
    {
        enemy.attackTimer += dt;
        MoveAroundPlayer(p);
    }
}

void BehaviorFlyingSystem::FleeUpdate(FlyingParts& p, float)
{
    BehaviorFlying& enemy = p.enemy;
    if (p.distance > enemy.circleRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::circleState);
    }
    else if (p.distance > enemy.detectionRadius)
    {
        enemy.stateMachine.SetState(BehaviorFlying::patrolState);
    }
    else
    {
        const Vec2 position = p.transform.GetTranslation();
        const float speed = enemy.fleeSpeed != 0.0f ? enemy.fleeSpeed : enemy.normalSpeed;
        MoveTowards(position, position - p.toPlayer * 100.0f, speed, p.body.velocity);
    }
}

void BehaviorFlyingSystem::AttackEnter(FlyingParts& p)
{
    p.enemy.lunging = false;
    Show(p, p.enemy.windupAnimation);
}

void BehaviorFlyingSystem::AttackUpdate(FlyingParts& p, float dt)
{
    BehaviorFlying& enemy = p.enemy;
    // The timer carries on from the circling, so the wind-up lasts about "Start Lag".
    if (!enemy.lunging && enemy.attackTimer <= enemy.startLag + enemy.attackRate)
    {
        FacePlayer(p);
        const bool playerRight = p.toPlayer.x > 0.0f;
        p.transform.SetRotation(std::atan2(p.toPlayer.y, p.toPlayer.x) + pi * (playerRight ? 0.1875f : 0.8125f));
        MoveAroundPlayer(p);
        enemy.attackTimer += dt;
        return;
    }
    const Vec2 position = p.transform.GetTranslation();
    if (!enemy.lunging)
    {
        enemy.lunging = true;
        Show(p, enemy.attackAnimation);
        // A point beyond the player, so the lunge carries through.
        enemy.lungeTarget = position + UnitOrZero(p.toPlayer) * (2.0f * enemy.circleRadius);
    }
    if (!MoveTowards(position, enemy.lungeTarget, enemy.attackSpeed, p.body.velocity))
    {
        return;
    }
    Show(p, enemy.flyingAnimation);
    if (p.sprite)
    {
        p.sprite->flippedX = false;
    }
    p.transform.SetRotation(0.0f);
    enemy.attackTimer = 0.0f;
    enemy.lunging = false;
    enemy.stateMachine.SetState(BehaviorFlying::circleState);
}

void BehaviorFlyingSystem::DefeatedEnter(FlyingParts& p)
{
    if (p.sounds)
    {
        p.sounds->QueueSound({deathSound});
    }
    Show(p, p.enemy.defeatAnimation);
}

void BehaviorFlyingSystem::DefeatedUpdate(FlyingParts& p, float dt)
{
    p.enemy.defeatTimer += dt;
    if (p.enemy.defeatTimer > defeatDuration)
    {
        registry->GetSystem<ECS>()->entityStore.DestroyEntity(p.entity);
    }
}

void BehaviorFlyingSystem::FacePlayer(FlyingParts& p)
{
    if (p.sprite)
    {
        p.sprite->flippedX = p.toPlayer.x > 0.0f;
    }
}

void BehaviorFlyingSystem::MoveAroundPlayer(FlyingParts& p)
{
    const float radius = p.enemy.circleRadius;
    const Vec2 point{radius * p.toPlayer.y, -radius * p.toPlayer.x};
    MoveTowards(p.transform.GetTranslation(), point, p.enemy.circleSpeed, p.body.velocity);
}

void BehaviorFlyingSystem::Show(FlyingParts& p, const std::string& sheet)
{
    if (p.sprite)
    {
        // A name missing from the art table leaves the sprite without a source, as for any sprite.
        p.sprite->spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(sheet);
    }
    if (p.animation)
    {
        p.animation->Restart();
    }
}

void BehaviorFlyingSystem::CheckTunables(const Entity& entity, const FlyingParts& p)
{
    if (!checked.insert(entity.id).second)
    {
        return;
    }
    const BehaviorFlying& enemy = p.enemy;
    if (!(enemy.detectionRadius > 0.0f))
    {
        registry->GetSystem<Trace>()->Report("GAMEPLAY", entity.name,
                                             "\"Detection Radius\" is not above 0, so the enemy never notices the "
                                             "player");
    }
    else if (!(enemy.attackSpeed > 0.0f) && enemy.circleRadius * 2.0f >= arrivalDistance)
    {
        registry->GetSystem<Trace>()->Report("GAMEPLAY", entity.name,
                                             "\"Attack Speed\" is not above 0, so a lunge never ends and the enemy "
                                             "hangs in its attack");
    }
}

} // namespace kesto
