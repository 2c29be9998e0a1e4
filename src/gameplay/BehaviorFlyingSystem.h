#pragma once

#include "ecs/ESystem.h"
#include "engine/Vector.h"
#include "gameplay/StateMachine.h"

#include <cstdint>
#include <string>
#include <unordered_set>

namespace kesto
{

struct FlyingParts;

// Runs the flying enemies: patrol, approach the player, circle, wind up and lunge, flee, and fall to a dash. A
// collision target of the player; touching a non-dashing player does nothing here (the enemy's trigger kills).
class BehaviorFlyingSystem : public ESystem
{
public:
    // Builds the state table.
    void Init() override;
    // Does nothing without a player.
    void Update(EntityList& entities, float dt) override;
    // handler(player, enemy): a dashing player defeats the enemy.
    void CollisionHandler(Entity self, Entity other) override;

    static constexpr const char* deathSound = "event:/SFX/Enemy/Enemy_Death";
    static constexpr float defeatDuration = 0.5f; // seconds the defeat shows before the enemy is gone

private:
    void PatrolUpdate(FlyingParts& p, float dt);
    void ApproachUpdate(FlyingParts& p, float dt);
    void CircleUpdate(FlyingParts& p, float dt);
    void FleeUpdate(FlyingParts& p, float dt);
    void AttackEnter(FlyingParts& p);
    void AttackUpdate(FlyingParts& p, float dt);
    void DefeatedEnter(FlyingParts& p);
    void DefeatedUpdate(FlyingParts& p, float dt);

    // Faces the sprite towards the player (mirrored when the player is to the right).
    void FacePlayer(FlyingParts& p);
    // Circling heads for (R dy, -R dx), a far point along the perpendicular of the offset to the player.
    void MoveAroundPlayer(FlyingParts& p);
    void Show(FlyingParts& p, const std::string& sheet);
    // Nonsense tunables are reported once per enemy; the enemy runs on with them.
    void CheckTunables(const Entity& entity, const FlyingParts& p);

    FlyingParts Gather(const Entity& entity, const Entity& player);
    template <void (BehaviorFlyingSystem::*member)(FlyingParts&)> static void Call(ESystem& s, const Entity& e);
    template <void (BehaviorFlyingSystem::*member)(FlyingParts&, float)>
    static void CallUpdate(ESystem& s, const Entity& e, float dt);

    StateTable states;
    Entity player = Entity::None(); // the target of the current update
    std::unordered_set<std::uint32_t> checked;
};

} // namespace kesto
