#include "gameplay/BehaviorPlayerSystem.h"

#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gameplay/BehaviorFlyingSystem.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/CheckpointSystem.h"
#include "gameplay/Trigger.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "input/ControllerInputManager.h"
#include "input/DefaultBindings.h"
#include "input/MasterInputManager.h"
#include "levels/LevelManager.h"
#include "particles/ParticleEmitter.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"

namespace kesto
{

bool PlayerParts::IsGrounded() const { return collider.IsTouching(ContactSide::Ground); }

template <void (BehaviorPlayerSystem::*member)(PlayerParts&)>
void BehaviorPlayerSystem::Call(ESystem& s, const Entity& e)
{
    auto& system = static_cast<BehaviorPlayerSystem&>(s);
    if (std::optional<PlayerParts> parts = system.Gather(e))
    {
        (system.*member)(*parts);
    }
}

template <void (BehaviorPlayerSystem::*member)(PlayerParts&, float)>
void BehaviorPlayerSystem::CallUpdate(ESystem& s, const Entity& e, float dt)
{
    auto& system = static_cast<BehaviorPlayerSystem&>(s);
    if (std::optional<PlayerParts> parts = system.Gather(e))
    {
        (system.*member)(*parts, dt);
    }
}

void BehaviorPlayerSystem::Init()
{
    AddPlayerBindings(Input());
    states.assign(9, StateDefinition{});
    const auto state = [this](PlayerState which) -> StateDefinition&
    { return states[static_cast<std::size_t>(which)]; };
    state(PlayerState::Normal).enter = &Call<&BehaviorPlayerSystem::NormalEnter>;
    state(PlayerState::Normal).update = &CallUpdate<&BehaviorPlayerSystem::NormalUpdate>;
    state(PlayerState::Normal).exit = &Call<&BehaviorPlayerSystem::NormalExit>;
    state(PlayerState::Dash).enter = &Call<&BehaviorPlayerSystem::DashEnter>;
    state(PlayerState::Dash).update = &CallUpdate<&BehaviorPlayerSystem::DashUpdate>;
    state(PlayerState::Dash).exit = &Call<&BehaviorPlayerSystem::DashExit>;
    state(PlayerState::Dead).enterFromOther = &Call<&BehaviorPlayerSystem::DeadEnterFromOther>;
    state(PlayerState::Dead).update = &CallUpdate<&BehaviorPlayerSystem::DeadUpdate>;
    state(PlayerState::Fly).update = &CallUpdate<&BehaviorPlayerSystem::FlyUpdate>;
    for (PlayerState hook : {PlayerState::HookFall1, PlayerState::HookFall2, PlayerState::HookFall3})
    {
        state(hook).enter = &Call<&BehaviorPlayerSystem::HookEnter>;
        state(hook).update = &CallUpdate<&BehaviorPlayerSystem::HookUpdate>;
    }
    state(PlayerState::Frozen).update = &CallUpdate<&BehaviorPlayerSystem::FrozenUpdate>;
    state(PlayerState::Respawn).enter = &Call<&BehaviorPlayerSystem::RespawnEnter>;
    state(PlayerState::Respawn).update = &CallUpdate<&BehaviorPlayerSystem::RespawnUpdate>;
}

std::vector<ESystem*> BehaviorPlayerSystem::CollisionTargets()
{
    const SystemStore& systems = registry->GetSystem<ECS>()->systemStore;
    return {systems.GetSystem<BehaviorFlyingSystem>(), systems.GetSystem<Trigger>(),
            systems.GetSystem<CheckpointSystem>()};
}

void BehaviorPlayerSystem::Update(EntityList& entities, float dt)
{
    if (dt == 0.0f)
    {
        return;
    }
    const FrameSplit& split = registry->GetSystem<ECS>()->systemStore.Split();
    const bool firstSubstep = split.IsFirstSubstep();
    for (Entity& entity : entities)
    {
        std::optional<PlayerParts> parts = Gather(entity);
        if (!parts)
        {
            continue;
        }
        PlayerParts& p = *parts;
        p.player.stateMachine.states = &states;
        PlaceCameraOnFirstFrame(p);
        // The meter counts real time and a slow changes the next frame's step, so it runs once per frame.
        if (firstSubstep)
        {
            UpdateTimeSlow(p, dt * static_cast<float>(split.count));
        }
        HandleDebugKeys(p);
        ShowTimeSlowBar(p);
        p.player.stateMachine.Update(*this, entity, dt);
        p.player.dashResetCooldown = std::max(0.0f, p.player.dashResetCooldown - dt);
        RecordAfterimage(p, dt);
        FollowWithCamera(p, dt);
        UpdateCompass(p, dt);
        UpdateTutorial(p, dt, firstSubstep);
    }
}

std::optional<PlayerParts> BehaviorPlayerSystem::Gather(const Entity& entity)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto* player = store.GetComponent<BehaviorPlayer>(entity);
    auto* transform = store.GetComponent<Transform>(entity);
    auto* body = store.GetComponent<Rigidbody>(entity);
    auto* collider = store.GetComponent<Collider>(entity);
    auto* gravity = store.GetComponent<Gravity>(entity);
    auto* sprite = store.GetComponent<Sprite>(entity);
    auto* animation = store.GetComponent<Animation>(entity);
    if (!player || !transform || !body || !collider || !gravity || !sprite || !animation)
    {
        if (reportedIncomplete.insert(entity.id).second)
        {
            registry->GetSystem<Trace>()->Report(
                "GAMEPLAY", entity.name,
                "a player needs Gravity, Sprite and Animation besides its body and collider; it stays still");
        }
        return std::nullopt;
    }
    return PlayerParts{entity,
                       *player,
                       *transform,
                       *body,
                       *collider,
                       *gravity,
                       *sprite,
                       *animation,
                       store.GetComponent<SoundEmitter>(entity),
                       store.GetComponent<ParticleEmitter>(entity)};
}

bool BehaviorPlayerSystem::Showing(const PlayerParts& p, const char* sheet) const
{
    return p.sprite.spriteSource && p.sprite.spriteSource->name == sheet;
}

void BehaviorPlayerSystem::Show(PlayerParts& p, const char* sheet)
{
    // A name missing from the art table leaves the sprite without a source, as for any sprite.
    p.sprite.spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(sheet);
    p.animation.Restart();
}

Entity BehaviorPlayerSystem::SpawnInLevel(const std::string& archetype)
{
    return registry->GetSystem<LevelManager>()->SpawnInLevel(archetype);
}

void BehaviorPlayerSystem::Rumble(std::uint16_t left, std::uint16_t right, float seconds)
{
    auto& controller = *registry->GetSystem<ControllerInputManager>();
    if (Input().IsControllerActive() && controller.vibrationOn)
    {
        controller.Rumble(left, right, seconds);
    }
}

MasterInputManager& BehaviorPlayerSystem::Input() const { return *registry->GetSystem<MasterInputManager>(); }

} // namespace kesto
