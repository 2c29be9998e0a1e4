#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "levels/LevelManager.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"

#include <algorithm>

namespace kesto
{

namespace
{

// The last level restarts from its beginning when the player dies in it.
constexpr const char* finalLevel = "Lab Breakout (The End Part 2)";

Vec2 NonNegative(Vec2 v) { return {std::max(v.x, 0.0f), std::max(v.y, 0.0f)}; }

} // namespace

void BehaviorPlayerSystem::DeadEnterFromOther(PlayerParts& p)
{
    LevelManager& levels = *registry->GetSystem<LevelManager>();
    if (levels.currentLevel == finalLevel)
    {
        levels.ChangeLevel(1.0f, 1.0f, finalLevel, 0.5f, ScreenTransition::Fade);
    }
    p.sprite.alpha = 0.0f;
    // A zero-sized collider touches nothing, so the body drops out of every collision until respawn.
    savedColliderScale = p.collider.GetScale();
    p.collider.SetScale({0.0f, 0.0f});
    QueueSound(p, "event:/SFX/Player/Player_Death");
    PlayEmission(p, "Death");
    p.body.velocity = {0.0f, 0.0f};
    p.gravity.scale = 0.0f;
    p.player.compassHidden = true;
    deadTimer = 0.0f;
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    renderer.transitionDuration = p.player.deathDuration;
    renderer.fadingOut = true;
    renderer.transitionType = ScreenTransition::Fade;
    p.player.dashResetCooldown = 0.0f;
    Rumble(0, 0xFFFF, 0.3f);
}

void BehaviorPlayerSystem::DeadUpdate(PlayerParts& p, float dt)
{
    if (deadTimer < p.player.deathDuration)
    {
        p.body.velocity = {0.0f, 0.0f};
        deadTimer += dt;
        return;
    }
    p.transform.SetTranslation(p.player.respawnPoint);
    registry->GetSystem<Camera>()->SetPosition(CameraTarget(p));
    p.collider.SetScale(NonNegative(savedColliderScale));
    p.player.stateMachine.SetState(static_cast<int>(PlayerState::Respawn));
}

void BehaviorPlayerSystem::RespawnEnter(PlayerParts& p)
{
    PlayEmission(p, "Respawn");
    if (p.sounds)
    {
        p.sounds->QueueSoundOnce(SoundRequest("event:/SFX/Player/Player_Respawn"));
    }
    p.collider.SetScale(NonNegative(savedColliderScale));
    p.gravity.scale = 1.0f;
    p.player.jumpBuffer = 0.0f;
    respawnTimer = 0.0f;
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    renderer.transitionDuration = p.player.respawnDuration;
    renderer.fadingOut = false;
    renderer.transitionType = ScreenTransition::Fade;
}

void BehaviorPlayerSystem::RespawnUpdate(PlayerParts& p, float dt)
{
    // The fox shows in the same update in which the time runs out.
    respawnTimer += dt;
    if (respawnTimer < p.player.respawnDuration)
    {
        return;
    }
    p.sprite.alpha = 1.0f;
    p.player.compassHidden = false;
    p.player.stateMachine.SetState(static_cast<int>(PlayerState::Normal));
}

} // namespace kesto
