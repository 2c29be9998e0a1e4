#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"
#include "gameplay/StateMachine.h"

namespace kesto
{

// A platform that shakes, falls and comes back.
class BehaviorFalling : public ComponentOf<BehaviorFalling, ComponentType::BehaviorFalling>
{
public:
    static const FieldTable<BehaviorFalling>& Fields();
    // The platform falls down: a positive fall speed entered in the inspector becomes its negative.
    void MakeFallDownward();
    // Indices of the platform's states.
    static constexpr int idleState = 0;
    static constexpr int fallingState = 1;
    static constexpr int respawningState = 2;
    static constexpr int shakingState = 3;

    StateMachine stateMachine;    // idle requested; the system hands it its state table
    float jiggleNoise = 0.0f;     // shake amplitude in sprite offset units
    float fallSpeed = 0.0f;       // vertical velocity while falling; negative falls
    float timeTillRespawn = 0.0f; // seconds of falling before the reset; counts down while falling
    float savedTimeTillRespawn = 0.0f;
    float timeTillFall = 0.0f; // seconds of shaking; counts down while shaking
    float savedTimeTillFall = 0.0f;
    bool clearSinceLastUpdate = false; // nothing overlapped the home box since the last update
    Vec2 homePosition{};               // taken when the platform becomes idle
};

} // namespace kesto
