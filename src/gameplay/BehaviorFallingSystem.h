#pragma once

#include "ecs/ESystem.h"
#include "gameplay/StateMachine.h"

namespace kesto
{

class BehaviorFalling;
struct FallingParts;

// Runs falling platforms: idle until something lands on one, then it shakes, falls at its constant speed, vanishes,
// goes home and reappears once nothing overlaps its home box. Movers resolve against it as against a solid.
class BehaviorFallingSystem : public ESystem
{
public:
    // Builds the state table.
    void Init() override;
    void Update(EntityList& entities, float dt) override;
    // handler(mover, platform), by the platform's requested state.
    void CollisionHandler(Entity self, Entity other) override;

    static constexpr const char* fallSound = "event:/SFX/Environment/PLATFORM_FALL";

private:
    void IdleEnter(FallingParts& p);
    void ShakingUpdate(FallingParts& p, float dt);
    void FallingEnter(FallingParts& p);
    void FallingUpdate(FallingParts& p, float dt);
    void RespawningUpdate(FallingParts& p, float dt);

    FallingParts Gather(const Entity& entity);
    // Runs a member callback for the state table.
    template <void (BehaviorFallingSystem::*member)(FallingParts&)> static void Call(ESystem& s, const Entity& e);
    template <void (BehaviorFallingSystem::*member)(FallingParts&, float)>
    static void CallUpdate(ESystem& s, const Entity& e, float dt);

    StateTable states;
};

} // namespace kesto
