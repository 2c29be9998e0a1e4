#include "animation/Animation.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Camera.h"
#include "input/ControllerInputManager.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"

#include <cmath>

namespace kesto
{

bool BehaviorPlayerSystem::TryDash(PlayerParts& p, float dt)
{
    if (!p.player.canDash || !Input().IsActionTriggered("Dash"))
    {
        return false;
    }
    if (p.player.dashRecharged)
    {
        SetDashGlow(p, true);
    }
    // Requesting Dash while dashing re-enters it; the machine runs now so the dash starts this very frame.
    p.player.stateMachine.SetState(static_cast<int>(PlayerState::Dash));
    p.player.idleLoops = 0;
    p.player.stateMachine.Update(*this, p.entity, dt);
    return true;
}

bool BehaviorPlayerSystem::UpdateAim(PlayerParts& p)
{
    Vec2 direction;
    if (Input().IsControllerActive())
    {
        const auto& controller = *registry->GetSystem<ControllerInputManager>();
        direction = controller.LeftStick();
        if (direction.Length() < static_cast<float>(controller.deadZone))
        {
            return false;
        }
    }
    else
    {
        Camera& camera = *registry->GetSystem<Camera>();
        const Vec2 screen = camera.GetScreenSize();
        const Vec2 mouse =
            registry->GetSystem<PCInputManager>()->GetMousePosition(camera.GetProjView(), screen.x, screen.y);
        direction = mouse - p.transform.GetTranslation();
    }
    const float length = direction.Length();
    // A cursor exactly on the player has no direction: the previous aim stays.
    if (length == 0.0f || !std::isfinite(length))
    {
        return false;
    }
    aim = direction / length;
    return true;
}

void BehaviorPlayerSystem::DashEnter(PlayerParts& p)
{
    BehaviorPlayer& player = p.player;
    player.dashTimer = player.dashTime;
    player.canDash = false;
    p.gravity.scale = 0.0f;

    const bool freshAim = UpdateAim(p);
    // With the stick resting in its dead zone the dash keeps the velocity it already holds.
    if (freshAim || !Input().IsControllerActive())
    {
        player.dashVelocity = aim * player.dashSpeed;
    }
    const float speed = player.dashVelocity.Length();
    const Vec2 unit = speed > 0.0f ? player.dashVelocity / speed : Vec2{};
    registry->GetSystem<Camera>()->Shake(player.cameraShakeDuration, std::fabs(player.cameraShakeAmountX * unit.x),
                                         std::fabs(player.cameraShakeAmountY * unit.y), 0.0f, 0.0f);
    registry->freezeTime = player.dashFrameFreeze;
    Rumble(0x7FFF, 0, 0.2f);

    // The sprite points along the dash without turning upside down.
    const Vec2 v = player.dashVelocity;
    p.transform.SetRotation(v.x > 0.0f ? std::atan2(v.y, v.x) : std::atan2(-v.y, -v.x));
    QueueSound(p, "event:/SFX/Player/Dash_Attack");
    Show(p, dashSheet);
    PlayEmission(p, "Dash");
    UpdateCompass(p, 0.0f);
}

void BehaviorPlayerSystem::DashUpdate(PlayerParts& p, float dt)
{
    BehaviorPlayer& player = p.player;
    if (p.body.velocity.x < 0.0f)
    {
        p.sprite.flippedX = true;
    }
    else if (p.body.velocity.x > 0.0f)
    {
        p.sprite.flippedX = false;
    }
    if (player.dashTimer < player.dashTime * 0.5f && p.IsGrounded())
    {
        player.canJump = true;
        player.canDash = true;
    }
    if (TryDash(p, dt) || TryJump(p, dt))
    {
        return;
    }
    if (player.dashTimer > 0.0f)
    {
        p.body.velocity = player.dashVelocity;
        player.dashTimer -= dt;
    }
    else
    {
        player.stateMachine.SetState(static_cast<int>(PlayerState::Normal));
    }
}

void BehaviorPlayerSystem::DashExit(PlayerParts& p)
{
    p.gravity.scale = 1.0f;
    p.transform.SetRotation(0.0f);
    p.body.velocity = p.body.velocity * p.player.dashMomentum;
}

void BehaviorPlayerSystem::UpdateCompass(PlayerParts& p, float dt)
{
    BehaviorPlayer& player = p.player;
    if (player.compassDirArchetype.empty())
    {
        return;
    }
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    if (!store.HasComponent<Transform>(player.compassArrow))
    {
        player.compassArrow = SpawnInLevel(player.compassDirArchetype);
    }
    if (!store.HasComponent<Transform>(player.compassMeter))
    {
        player.compassMeter = SpawnInLevel(player.compassMeterArchetype);
    }
    UpdateAim(p);
    const float angle = std::atan2(aim.y, aim.x);
    Vec2 offset = player.compassOffset;
    if (p.sprite.flippedX)
    {
        offset.x = -offset.x;
    }
    const Vec2 centre = p.transform.GetTranslation() + p.body.velocity * dt + offset;
    if (auto* arrowSprite = store.GetComponent<Sprite>(player.compassArrow))
    {
        arrowSprite->alpha = player.compassHidden ? 0.0f : (player.canDash ? 1.0f : 0.0f);
    }
    if (auto* meterSprite = store.GetComponent<Sprite>(player.compassMeter))
    {
        meterSprite->alpha = player.compassHidden ? 0.0f : 1.0f;
        // The meter shows the time-slow meter through its crop: full width, filled height.
        meterSprite->crop = {1.0f, std::clamp(player.timeSlowMeter, 0.0f, 1.0f)};
    }
    if (auto* arrow = store.GetComponent<Transform>(player.compassArrow))
    {
        arrow->SetTranslation(centre + aim * player.compassDirDistance);
        arrow->SetRotation(angle);
    }
    if (auto* meter = store.GetComponent<Transform>(player.compassMeter))
    {
        meter->SetTranslation(centre + aim * player.compassMeterDistance);
        meter->SetRotation(angle);
    }
    if (player.stateMachine.requestedState != static_cast<int>(PlayerState::Dash))
    {
        player.dashVelocity = aim * player.dashSpeed;
    }
}

} // namespace kesto
