#include "animation/Animation.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Camera.h"
#include "input/ControllerInputManager.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"

#include <cmath>
#include <utility>

namespace kesto
{

bool BehaviorPlayerSystem::TryDash(PlayerParts& p, float dt)
{
    if (!p.player.canDash)
    {
        return false;
    }
    const InputSource pressedBy = Input().ActionTriggeredBy("Dash");
    if (pressedBy == InputSource::None)
    {
        return false;
    }
    dashPressedBy = pressedBy;
    if (pressedBy == InputSource::Key || pressedBy == InputSource::MouseButton)
    {
        aimingWithKeys = pressedBy == InputSource::Key;
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

BehaviorPlayerSystem::AimBy BehaviorPlayerSystem::CurrentAimMode()
{
    MasterInputManager& input = Input();
    if (input.IsControllerActive())
    {
        return AimBy::Stick;
    }
    if (registry->GetSystem<PCInputManager>()->HasCursorMoved())
    {
        aimingWithKeys = false;
    }
    else if (input.IsActionHeld("AimUp") || input.IsActionHeld("AimDown"))
    {
        aimingWithKeys = true;
    }
    return aimingWithKeys ? AimBy::Keys : AimBy::Mouse;
}

Vec2 BehaviorPlayerSystem::KeyboardAim(const PlayerParts& p)
{
    MasterInputManager& input = Input();
    const auto axis = [&input](const char* positive, const char* negative)
    { return static_cast<float>(input.IsActionHeld(positive)) - static_cast<float>(input.IsActionHeld(negative)); };
    Vec2 direction{axis("MoveRight", "MoveLeft"), axis("AimUp", "AimDown")};
    if (direction == Vec2{})
    {
        direction.x = p.sprite.flippedX ? -1.0f : 1.0f;
    }
    return direction / direction.Length();
}

bool BehaviorPlayerSystem::UpdateAim(PlayerParts& p, AimBy by)
{
    Vec2 direction;
    switch (by)
    {
    case AimBy::Stick:
    {
        const auto& controller = *registry->GetSystem<ControllerInputManager>();
        direction = controller.LeftStick();
        if (direction.Length() < static_cast<float>(controller.deadZone))
        {
            return false;
        }
        break;
    }
    case AimBy::Keys:
        direction = KeyboardAim(p);
        break;
    case AimBy::Mouse:
    {
        Camera& camera = *registry->GetSystem<Camera>();
        const Vec2 screen = camera.GetScreenSize();
        const Vec2 mouse =
            registry->GetSystem<PCInputManager>()->GetMousePosition(camera.GetProjView(), screen.x, screen.y);
        direction = mouse - p.transform.GetTranslation();
        break;
    }
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

    // A dash aims with what started it: the keys, the mouse or the stick (a trigger's dash, with what aims now).
    AimBy by = CurrentAimMode();
    switch (std::exchange(dashPressedBy, InputSource::None))
    {
    case InputSource::Key:
        by = AimBy::Keys;
        break;
    case InputSource::MouseButton:
        by = AimBy::Mouse;
        break;
    case InputSource::Controller:
        by = AimBy::Stick;
        break;
    case InputSource::None:
        break;
    }
    const bool freshAim = UpdateAim(p, by);
    // With the stick resting in its dead zone the dash keeps the velocity it already holds.
    if (freshAim || by != AimBy::Stick)
    {
        player.dashVelocity = aim * player.dashSpeed;
    }
    const float speed = player.dashVelocity.Length();
    const Vec2 unit = speed > 0.0f ? player.dashVelocity / speed : Vec2{};
    registry->GetSystem<Camera>()->Shake(player.cameraShakeDuration, std::fabs(player.cameraShakeAmountX * unit.x),
                                         std::fabs(player.cameraShakeAmountY * unit.y), 0.0f, 0.0f);
    registry->freezeTime = player.dashFrameFreeze;
    Rumble(0x7FFF, 0, 0.2f);

    // Face the way the dash goes (a dash straight up or down keeps the facing), and point along it without turning
    // upside down.
    const Vec2 v = player.dashVelocity;
    if (v.x != 0.0f)
    {
        p.sprite.flippedX = v.x < 0.0f;
    }
    TurnForDash(p, p.sprite.flippedX ? std::atan2(-v.y, -v.x) : std::atan2(v.y, v.x));
    QueueSound(p, "event:/SFX/Player/Dash_Attack");
    Show(p, dashSheet);
    PlayEmission(p, "Dash");
    UpdateCompass(p, 0.0f);
}

void BehaviorPlayerSystem::TurnForDash(PlayerParts& p, float angle)
{
    p.transform.SetRotation(angle);
    // The turn pivots on the collider's centre instead of the sprite's: the sprite's quad is moved (in its own
    // units, before the turn) by R⁻¹c - c for the collider offset c. So a dash up keeps the head over the box that
    // stops at the ledge above instead of pushing it through.
    const Vec2 centre = p.collider.GetOffset();
    const Vec2 scale = p.transform.GetScale();
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const Vec2 unturned{centre.x * c + centre.y * s, -centre.x * s + centre.y * c};
    const Vec2 shift = unturned - centre;
    dashPoseShift = {scale.x != 0.0f ? shift.x / scale.x : 0.0f, scale.y != 0.0f ? shift.y / scale.y : 0.0f};
    p.sprite.offset += dashPoseShift;
}

bool BehaviorPlayerSystem::IsDashBlocked(const PlayerParts& p) const
{
    const Vec2 v = p.player.dashVelocity;
    const bool xBlocked = v.x == 0.0f || p.collider.IsTouching(v.x > 0.0f ? ContactSide::Right : ContactSide::Left);
    const bool yBlocked = v.y == 0.0f || p.collider.IsTouching(v.y > 0.0f ? ContactSide::Ceiling : ContactSide::Ground);
    return xBlocked && yBlocked;
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
    // The jump check writes the gravity scale; a dash is not pulled down, or its rise would depend on the step.
    p.gravity.scale = 0.0f;
    // A dash that solids stop on every axis it moves along ends now, rather than holding its pose in mid-air.
    if (IsDashBlocked(p))
    {
        player.stateMachine.SetState(static_cast<int>(PlayerState::Normal));
        return;
    }
    if (player.dashTimer > 0.0f)
    {
        // The last substep moves only for the time that is left, so a dash covers its speed times its time at any
        // frame rate.
        p.body.velocity = player.dashVelocity * std::min(1.0f, player.dashTimer / dt);
        player.dashTimer -= dt;
    }
    // Ended now, the dash is left before the next substep moves the body.
    if (player.dashTimer <= 0.0f)
    {
        player.stateMachine.SetState(static_cast<int>(PlayerState::Normal));
    }
}

void BehaviorPlayerSystem::DashExit(PlayerParts& p)
{
    p.gravity.scale = 1.0f;
    p.transform.SetRotation(0.0f);
    p.sprite.offset -= std::exchange(dashPoseShift, Vec2{});
    // Momentum keeps a share of the dash's velocity along each axis that no solid stopped (the body's own velocity
    // is only the time left's share of it in the dash's last substep).
    Vec2 kept = p.player.dashVelocity * p.player.dashMomentum;
    if (p.body.velocity.x == 0.0f)
    {
        kept.x = 0.0f;
    }
    if (p.body.velocity.y == 0.0f)
    {
        kept.y = 0.0f;
    }
    p.body.velocity = kept;
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
    UpdateAim(p, CurrentAimMode());
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
