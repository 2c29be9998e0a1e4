#pragma once

#include "ecs/Component.h"
#include "ecs/Entity.h"
#include "engine/Vector.h"
#include "gameplay/StateMachine.h"

#include <string>
#include <vector>

namespace kesto
{

// The flying enemy's tunables and state.
class BehaviorFlying : public ComponentOf<BehaviorFlying, ComponentType::BehaviorFlying>
{
public:
    static const FieldTable<BehaviorFlying>& Fields();
    // Radio headings "Idle", "Patrol" and "Cirlce/Attack" pick which tunables show; "Detection" and the
    // animations always show.
    bool Inspect(SystemRegistry* registry) override;
    // Indices of the enemy's states.
    static constexpr int approachState = 0;
    static constexpr int circleState = 1;
    static constexpr int fleeState = 2;
    static constexpr int patrolState = 3;
    static constexpr int attackState = 4;
    static constexpr int defeatedState = 5;

    float normalSpeed = 0.0f;       // patrol and approach speed, units/s
    std::vector<Vec2> patrolPoints; // world positions visited in order, then from the first again
    float circleSpeed = 5.0f;       // units/s
    float circleRadius = 5.0f;      // distance to the player at which circling starts
    float attackRate = 1.0f;        // seconds of circling between attacks
    float startLag = 0.0f;          // wind-up seconds before a lunge
    float attackSpeed = 0.0f;       // lunge speed, units/s
    float detectionRadius = 10.0f;  // distance at which the player is noticed
    float fleeRadius = 2.0f;        // distance under which the enemy flees
    float fleeSpeed = 0.0f;         // units/s; 0 flees at normalSpeed
    std::string attackAnimation;    // sprite source names
    std::string windupAnimation;
    std::string flyingAnimation;
    std::string defeatAnimation;

    Entity target = Entity::None();          // the player
    StateMachine stateMachine = Unstarted(); // nothing requested (-1) until the system's first update
    int nextPatrolIndex = 0;
    float attackTimer = 0.0f; // seconds
    float defeatTimer = 0.0f; // seconds since defeat
    Vec2 lungeTarget;         // fixed when the wind-up ends
    bool lunging = false;     // the wind-up is over and the lunge under way
    int inspectorGroup = 0;   // which tunables the inspector shows: 0 idle, 1 patrol, 2 circling and attacks

private:
    static StateMachine Unstarted()
    {
        StateMachine machine;
        machine.requestedState = -1;
        return machine;
    }
};

} // namespace kesto
