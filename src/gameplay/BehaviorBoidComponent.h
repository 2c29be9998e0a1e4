#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

namespace kesto
{

// One member of a boid flock.
class BehaviorBoidComponent : public ComponentOf<BehaviorBoidComponent, ComponentType::BehaviorBoidComponent>
{
public:
    static const FieldTable<BehaviorBoidComponent>& Fields();
    // "Respawn Delay", "Speed", "Loop", then the mode radio buttons.
    bool Inspect(SystemRegistry* registry) override;

    // 0 boid, 1 V-formation, 2 cyclone, 3 straight, 4 stop; the controller overwrites it unless its own is -1
    int state = -1;
    bool active = false;       // launched
    float heading = 0.0f;      // degrees
    float speed = 5.0f;        // units/s
    bool edgeFlag = true;      // found outside the box and waiting
    float respawnDelay = 0.0f; // seconds outside the box before wrapping or returning
    float respawnTimer = 0.0f; // seconds left of the delay
    bool loop = false;         // return to startPosition instead of wrapping to the opposite edge
    Vec2 startPosition{};      // position at launch
    int neighbourCount = 0;    // per-frame accumulators
    Vec2 positionSum{};        // in V-formation: the follower's slot
    Vec2 velocitySum{};
    bool recruited = false;    // taken as a follower this frame
    float cyclonePhase = 0.0f; // 0 until the boid has started circling
};

} // namespace kesto
