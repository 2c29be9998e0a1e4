#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Sprite.h"
#include "input/MasterInputManager.h"
#include "particles/ParticleEmitter.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"
#include "ui/PauseSystem.h"

#include <cmath>

namespace kesto
{

namespace
{

float Sign(float value) { return static_cast<float>((value > 0.0f) - (value < 0.0f)); }

} // namespace

void BehaviorPlayerSystem::QueueSound(PlayerParts& p, const std::string& eventPath)
{
    if (p.sounds)
    {
        p.sounds->QueueSound(SoundRequest(eventPath));
    }
}

void BehaviorPlayerSystem::PlayEmission(PlayerParts& p, const std::string& emissionName)
{
    if (p.particles)
    {
        p.particles->PlayEmission(emissionName);
    }
}

void BehaviorPlayerSystem::SetDashGlow(PlayerParts& p, bool glowing)
{
    if (Emission* dash = p.particles ? p.particles->FindEmission("Dash") : nullptr)
    {
        dash->useBlendColor = glowing;
    }
}

void BehaviorPlayerSystem::NormalEnter(PlayerParts& p)
{
    p.player.compassHidden = false;
    registry->GetSystem<ECS>()->systemStore.GetSystem<PauseSystem>()->allowPause = true;
}

void BehaviorPlayerSystem::NormalExit(PlayerParts& p) { p.animation.speed = 1.0f; }

void BehaviorPlayerSystem::NormalUpdate(PlayerParts& p, float dt)
{
    Land(p);
    // The dash a reset trigger gave back in the air glows until the player lands.
    if (p.IsGrounded())
    {
        p.player.dashRecharged = false;
        SetDashGlow(p, false);
    }
    else if (p.player.dashRecharged)
    {
        SetDashGlow(p, true);
    }
    RunInput(p, dt);
    Brake(p, dt);
    if (TryDash(p, dt) || TryJump(p, dt))
    {
        return;
    }
    p.body.velocity.y = std::max(p.body.velocity.y, -p.player.terminalVelocity);
    if (p.IsGrounded())
    {
        p.player.canJump = true;
        p.player.canDash = true;
    }
    SelectAnimation(p);
}

void BehaviorPlayerSystem::Land(PlayerParts& p)
{
    if (!p.IsGrounded() || !Showing(p, fallSheet))
    {
        return;
    }
    const Entity dust = SpawnInLevel(p.player.landingVFXArchetype);
    if (!dust.IsValid())
    {
        return;
    }
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    if (auto* dustTransform = store.GetComponent<Transform>(dust))
    {
        const Vec2 at = p.transform.GetTranslation();
        dustTransform->SetTranslation(
            {at.x, at.y - p.transform.GetScale().y * 0.5f + dustTransform->GetScale().y / 10.0f});
    }
    if (auto* dustSprite = store.GetComponent<Sprite>(dust))
    {
        dustSprite->flippedX = p.sprite.flippedX;
    }
}

void BehaviorPlayerSystem::RunInput(PlayerParts& p, float dt)
{
    MasterInputManager& input = Input();
    const bool right = input.IsActionHeld("MoveRight");
    const bool left = input.IsActionHeld("MoveLeft");
    if (right == left)
    {
        return;
    }
    p.player.idleLoops = 0;
    const bool grounded = p.IsGrounded();
    if (grounded && !Showing(p, runSheet))
    {
        Show(p, runSheet);
    }
    const float acceleration = grounded ? p.player.groundAcceleration : p.player.airAcceleration;
    const float delta = (left ? -acceleration : acceleration) * dt;
    p.sprite.flippedX = left;

    float& vx = p.body.velocity.x;
    // A body already moving this way at the run speed or above keeps its speed; a slower one speeds up to the run
    // speed exactly, so the top speed does not depend on the length of the step.
    if (Sign(vx) == Sign(delta) && std::fabs(vx) >= p.player.runSpeed)
    {
        return;
    }
    const float next = vx + delta;
    vx = delta < 0.0f ? std::max(next, -p.player.runSpeed) : std::min(next, p.player.runSpeed);
}

void BehaviorPlayerSystem::Brake(PlayerParts& p, float dt)
{
    MasterInputManager& input = Input();
    float& vx = p.body.velocity.x;
    const bool grounded = p.IsGrounded();
    const bool holdingTheWayItMoves =
        (vx < 0.0f && input.IsActionHeld("MoveLeft")) || (vx > 0.0f && input.IsActionHeld("MoveRight"));
    // Holding the direction keeps any speed in the air, and on the ground down to the run speed.
    if (holdingTheWayItMoves && !(grounded && std::fabs(vx) > p.player.runSpeed))
    {
        return;
    }
    const float deceleration = grounded ? p.player.groundDeceleration : p.player.airDeceleration;
    const float next = vx - Sign(vx) * deceleration * dt;
    vx = Sign(next) != Sign(vx) ? 0.0f : next;
}

bool BehaviorPlayerSystem::TryJump(PlayerParts& p, float dt)
{
    MasterInputManager& input = Input();
    BehaviorPlayer& player = p.player;
    if (input.IsActionTriggered("Jump"))
    {
        player.jumpBuffer = player.jumpTime;
    }
    if (player.canJump && player.jumpBuffer > 0.0f)
    {
        player.jumpBuffer = 0.0f;
        if (player.stateMachine.requestedState == static_cast<int>(PlayerState::Normal))
        {
            const bool grounded = p.IsGrounded();
            QueueSound(p, "event:/SFX/Player/Jump");
            player.canJump = false;
            Show(p, jumpSheet);
            player.idleLoops = 0;
            p.body.velocity.y = player.jumpHeight;
            // The rise obeys the held button from its first step, whatever the gravity was on the ground.
            p.gravity.scale = input.IsActionHeld("Jump") ? 1.0f : player.jumpReleaseScale;
            if (!grounded)
            {
                const Entity burst = SpawnInLevel(player.doubleJumpVFXArchetype);
                const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
                if (auto* burstTransform = store.GetComponent<Transform>(burst))
                {
                    const Vec2 at = p.transform.GetTranslation();
                    burstTransform->SetTranslation({at.x, at.y - p.transform.GetScale().y * 0.5f});
                }
                if (auto* burstSprite = store.GetComponent<Sprite>(burst))
                {
                    burstSprite->flippedX = !p.sprite.flippedX;
                }
            }
        }
        return true;
    }
    player.jumpBuffer -= dt;
    p.gravity.scale = input.IsActionHeld("Jump") ? 1.0f : player.jumpReleaseScale;
    if (p.body.velocity.y < 0.0f)
    {
        p.gravity.scale = player.fallScale;
    }
    return false;
}

void BehaviorPlayerSystem::SelectAnimation(PlayerParts& p)
{
    Animation& animation = p.animation;
    if (!p.IsGrounded())
    {
        if (Showing(p, runSheet) || ((Showing(p, jumpSheet) || Showing(p, dashSheet)) && animation.finished))
        {
            Show(p, fallSheet);
        }
    }
    else
    {
        SelectGroundedAnimation(p);
    }
    if (Showing(p, runSheet))
    {
        for (int frame : animation.framesEntered)
        {
            if (frame == 1 || frame == 6)
            {
                QueueSound(p, "event:/SFX/Player/Footsteps");
            }
        }
    }
}

void BehaviorPlayerSystem::SelectGroundedAnimation(PlayerParts& p)
{
    MasterInputManager& input = Input();
    const float vx = p.body.velocity.x;
    p.animation.speed = 1.0f;
    if (Showing(p, runSheet) && vx != 0.0f)
    {
        p.animation.speed = std::max(std::fabs(vx) / p.player.runSpeed, 0.5f);
    }
    if (input.IsActionHeld("MoveLeft") != input.IsActionHeld("MoveRight"))
    {
        return;
    }
    if (vx != 0.0f)
    {
        if (!Showing(p, runSheet))
        {
            Show(p, runSheet);
        }
        return;
    }
    if (Showing(p, idle2Sheet))
    {
        if (p.animation.finished)
        {
            Show(p, idleSheet);
        }
    }
    else if (Showing(p, idleSheet))
    {
        // Every fourth completed idle loop plays the longer idle once.
        if (p.animation.finished && ++p.player.idleLoops >= 4)
        {
            p.player.idleLoops = 0;
            Show(p, idle2Sheet);
        }
    }
    else
    {
        Show(p, idleSheet);
    }
}

} // namespace kesto
