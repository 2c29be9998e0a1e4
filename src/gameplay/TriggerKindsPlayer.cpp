#include "gameplay/TriggerKindsPlayer.h"

#include "audio/Audio.h"
#include "audio/SoundEmitter.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "graphics/Sprite.h"
#include "levels/LevelManager.h"
#include "particles/ParticleEmitter.h"
#include "physics/Rigidbody.h"

#include <array>
#include <cmath>
#include <numbers>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 8> stateNames = {"Normal",      "Dash",        "Dead",        "Fly",
                                                   "Hook Fall 1", "Hook Fall 2", "Hook Fall 3", "Frozen"};
constexpr std::array<const char*, 4> tutorialNames = {"Move", "Jump", "Dash", "Slow Mo"};

constexpr const char* portalRise = "Portal_Rise";
constexpr float dashResetCooldown = 2.0f; // seconds within which portals step "Portal_Rise" on
constexpr float pi = std::numbers::pi_v<float>;

constexpr const char* needsPlayer = "a BehaviorPlayer";

bool HasJumpAndDash(const BehaviorPlayer& player) { return player.canJump && player.canDash; }

bool IsDashing(const BehaviorPlayer& player)
{
    return player.stateMachine.requestedState == static_cast<int>(PlayerState::Dash);
}

// The step after `value` in 1..6: its whole part n becomes (n mod 6) + 1. A value no whole number can hold counts
// as 0.
float NextPortalRise(float value)
{
    const int whole = value >= 0.0f && value < 1e6f ? static_cast<int>(value) : 0;
    return static_cast<float>(whole % 6 + 1);
}

} // namespace

const FieldTable<TriggerDashReset>& TriggerDashReset::Fields()
{
    static const FieldTable<TriggerDashReset> fields{};
    return fields;
}

void TriggerDashReset::Execute(const TriggerContext& context)
{
    BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer);
    if (!player)
    {
        return;
    }
    if (HasJumpAndDash(*player))
    {
        return;
    }
    Audio& audio = *context.Systems().GetSystem<Audio>();
    const float rise = player->dashResetCooldown > 0.0f ? NextPortalRise(audio.GetGlobalParameter(portalRise)) : 1.0f;
    audio.SetGlobalParameter(portalRise, rise);
    player->dashResetCooldown = dashResetCooldown;
    if (auto* sounds = context.OnToucher<SoundEmitter>())
    {
        sounds->QueueSound({"event:/SFX/Player/Dash_Recharge_Portal"});
    }
    if (auto* particles = context.OnTrigger<ParticleEmitter>())
    {
        particles->PlayEmission("DashReset");
    }
    player->canJump = true;
    player->canDash = true;
    player->dashRecharged = true;
}

const FieldTable<TriggerCameraOffset>& TriggerCameraOffset::Fields()
{
    static const FieldTable<TriggerCameraOffset> fields{
        Field<&TriggerCameraOffset::offset>("offset").Label("Offset").Drag(0.1f),
    };
    return fields;
}

void TriggerCameraOffset::Execute(const TriggerContext& context)
{
    if (BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer))
    {
        player->cameraOffset = offset;
    }
}

const FieldTable<TriggerCameraZoom>& TriggerCameraZoom::Fields()
{
    static const FieldTable<TriggerCameraZoom> fields{
        Field<&TriggerCameraZoom::scalar>("scalar").Label("Scalar").Drag(0.01f),
        Field<&TriggerCameraZoom::speed>("speed").Label("Speed").Drag(0.1f),
    };
    return fields;
}

void TriggerCameraZoom::Execute(const TriggerContext& context)
{
    if (BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer))
    {
        player->zoomScalar = scalar;
        player->zoomSpeed = speed;
    }
}

const FieldTable<TriggerSetState>& TriggerSetState::Fields()
{
    static const FieldTable<TriggerSetState> fields{
        Field<&TriggerSetState::state>("state").Label("State").Combo(stateNames),
    };
    return fields;
}

void TriggerSetState::Execute(const TriggerContext& context)
{
    BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer);
    if (!player)
    {
        return;
    }
    // A kill zone does not catch a player flying through it.
    if (player->stateMachine.requestedState == static_cast<int>(PlayerState::Fly) && state == PlayerState::Dead)
    {
        return;
    }
    player->stateMachine.SetState(static_cast<int>(state));
}

const FieldTable<TriggerDashResetVFX>& TriggerDashResetVFX::Fields()
{
    static const FieldTable<TriggerDashResetVFX> fields{
        Field<&TriggerDashResetVFX::dashArchetype>("dashArchetype").Label("Dash Archetype").Names(ArchetypeNames),
        Field<&TriggerDashResetVFX::passArchetype>("passArchetype").Label("Pass Archetype").Names(ArchetypeNames),
    };
    return fields;
}

void TriggerDashResetVFX::Execute(const TriggerContext& context)
{
    BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer);
    if (!player)
    {
        return;
    }
    if (HasJumpAndDash(*player))
    {
        return;
    }
    const Vec2 at = context.PositionOf(context.trigger);
    if (!dashArchetype.empty() && IsDashing(*player))
    {
        const Entity effect = context.SpawnAt(dashArchetype, at);
        // The effect lies along the way the toucher crossed the portal. A portal turned a quarter (either way) is
        // crossed vertically; a half turn makes no difference.
        const auto* portal = context.OnTrigger<Transform>();
        float turn = std::fmod(portal ? portal->GetRotation() : 0.0f, pi);
        if (turn < 0.0f)
        {
            turn += pi;
        }
        const bool upright = turn > pi * 0.25f && turn < pi * 0.75f;
        const auto* body = context.OnToucher<Rigidbody>();
        const Vec2 velocity = body ? body->velocity : Vec2{};
        const bool forward = (upright ? velocity.y : velocity.x) > 0.0f;
        if (auto* transform = context.Store().GetComponent<Transform>(effect))
        {
            const float rotation = forward ? (upright ? 0.0f : pi * 0.5f) : (upright ? pi : pi * 1.5f);
            transform->SetRotation(rotation);
        }
        if (auto* sprite = context.Store().GetComponent<Sprite>(effect); sprite && !forward)
        {
            sprite->flippedX = true;
        }
    }
    context.SpawnAt(passArchetype, at);
}

const FieldTable<TriggerFrameFreeze>& TriggerFrameFreeze::Fields()
{
    // A longer "freeze" would be a stalled game.
    static const FieldTable<TriggerFrameFreeze> fields{
        Field<&TriggerFrameFreeze::time>("time").Label("Time").Drag(0.001f).Clamp(0.0f, 1.0f),
    };
    return fields;
}

void TriggerFrameFreeze::Execute(const TriggerContext& context)
{
    BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer);
    if (!player)
    {
        return;
    }
    if (!player->canDash)
    {
        context.registry.freezeTime = time;
    }
}

const FieldTable<TriggerTutorial>& TriggerTutorial::Fields()
{
    static const FieldTable<TriggerTutorial> fields{
        Field<&TriggerTutorial::archetype>("archetype").Label("Archetype").Names(ArchetypeNames),
        Field<&TriggerTutorial::tutorial>("tutorial").Label("Tutorial").Combo(tutorialNames),
    };
    return fields;
}

void TriggerTutorial::Execute(const TriggerContext& context)
{
    BehaviorPlayer* player = Require<BehaviorPlayer>(context, context.toucher, needsPlayer);
    if (!player)
    {
        return;
    }
    if (tutorial < 0 || tutorial >= static_cast<int>(player->tutorialProgress.size()) ||
        player->tutorialProgress[static_cast<std::size_t>(tutorial)] > 1.0f)
    {
        return;
    }
    if (player->tutorialPrompt.IsValid())
    {
        context.registry.GetSystem<LevelManager>()->RemoveFromLevel(player->tutorialPrompt);
        context.Store().DestroyEntity(player->tutorialPrompt);
    }
    player->tutorialPrompt = context.SpawnAt(archetype, context.PositionOf(context.toucher));
    player->tutorialStep = tutorial;
}

} // namespace kesto
