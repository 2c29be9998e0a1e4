#pragma once

#include "ecs/Component.h"
#include "ecs/Entity.h"
#include "engine/Vector.h"
#include "gameplay/StateMachine.h"

#include <array>
#include <string>

namespace kesto
{

// The player character's tunables and run-time state. Speeds in units/s, accelerations in units/s², times in s.
class BehaviorPlayer : public ComponentOf<BehaviorPlayer, ComponentType::BehaviorPlayer>
{
public:
    BehaviorPlayer();

    static const FieldTable<BehaviorPlayer>& Fields();
    // Compares the tunables and the dash-recharged flag.
    bool Equals(const Component& other) const override;

    // Tunables, in the order they are written and read.
    float runSpeed = 200.0f;
    float groundAcceleration = 0.0f;
    float airAcceleration = 0.0f;
    float groundDeceleration = 0.0f;
    float airDeceleration = 0.0f;
    float jumpHeight = 500.0f;     // vertical speed given by a jump, not a height
    float jumpReleaseScale = 1.5f; // gravity scale while rising with jump released
    float jumpTime = 0.07f;        // how long a jump press stays buffered
    float fallScale = 1.5f;        // gravity scale while falling
    float terminalVelocity = 2000.0f;
    std::string landingVFXArchetype;
    std::string doubleJumpVFXArchetype;
    float dashSpeed = 1000.0f;
    float dashTime = 0.3f;
    float dashMomentum = 0.0f; // 0..1, fraction of the dash velocity kept when it ends
    float dashFrameFreeze = 0.05f;
    std::string compassDirArchetype;
    std::string compassMeterArchetype;
    float compassDirDistance = 100.0f;
    float compassMeterDistance = 80.0f;
    Vec2 compassOffset;
    Vec2 cameraOffset;
    float cameraSpeed = 100.0f; // the remaining camera distance shrinks by this factor per z-scaled second
    float cameraShakeAmountX = 0.03f;
    float cameraShakeAmountY = 0.03f;
    float cameraShakeDuration = 0.2f;
    std::string timeSlowBarArchetype; // name of the progress-bar entity that shows the meter
    float timeSlowScale = 0.3f;       // time scale while slowed
    float timeSlowUseSpeed = 0.1f;    // meter drained per real second
    float timeSlowRechargeSpeed = 0.2f;
    float timeSlowRechargeThreshold = 0.2f;
    float deathDuration = 0.75f;
    float respawnDuration = 0.5f;

    // Run-time state, not serialized.
    StateMachine stateMachine;
    bool canJump = true;
    bool canDash = true;
    bool dashRecharged = false; // a dash-reset trigger restored the dash in the air
    Vec2 dashVelocity;
    float dashTimer = 0.3f;
    Vec2 respawnPoint;
    int idleLoops = 0;
    float timeSlowMeter = 1.0f; // 0..1
    float zoomScalar = 1.0f;    // multiplies the level's camera zoom
    float zoomSpeed = 100.0f;
    Entity compassArrow = Entity::None();
    Entity compassMeter = Entity::None();
    std::array<float, 4> tutorialProgress{};
    Entity tutorialPrompt = Entity::None();
    int tutorialStep = 0;
    bool firstFrame = true;
    float jumpBuffer = 0.0f;
    float dashResetCooldown = 0.0f;
    bool compassHidden = false;
};

} // namespace kesto
