#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Runs trigger volumes: the player's contacts schedule a trigger's functions after their delays (in the collision
// pass), and the update counts the delays down in scaled time and runs the functions whose time has come, in list
// order. A function runs at the earliest in the update after the contact, runs even if the player has left by then,
// and is not rescheduled while it waits; steps of 0 (pause, frame freeze) hold every wait.
class Trigger : public ESystem
{
public:
    // Functions below this delay are scheduled with it, so that a scheduled function is never at 0.
    static constexpr float shortestDelay = 0.000001f;

    void Init() override {}
    void Update(EntityList& entities, float dt) override;
    // Called as handler(player, trigger) by the collision pass.
    void CollisionHandler(Entity self, Entity other) override;

private:
    void RunDueFunctions(const Entity& entity, float dt);
};

} // namespace kesto
