#include "ecs/ECS.h"
#include "engine/Ring.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/Checkpoint.h"
#include "gameplay/TriggerComponent.h"
#include "graphics/RendererSystem.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "physics/Rigidbody.h"

#include <GLFW/glfw3.h>
#include <array>
#include <limits>
#include <optional>

namespace kesto
{

namespace
{

struct TutorialRow
{
    const char* action;
    int step;
    bool pressAction; // a press completes the step at once; movement must be held for a second
};

constexpr std::array<TutorialRow, 5> tutorialRows = {{
    {"MoveLeft", 0, false},
    {"MoveRight", 0, false},
    {"Jump", 1, true},
    {"Dash", 2, true},
    {"SlowMo", 3, false},
}};

bool IsLevelExit(const Entity& entity, const EntityStore& store)
{
    const auto* trigger = store.GetComponent<TriggerComponent>(entity);
    if (!trigger || entity.name == "GarnetPortal")
    {
        return false;
    }
    for (const auto& function : trigger->functions)
    {
        if (function && function->EditorName() == "Change Level")
        {
            return true;
        }
    }
    return false;
}

} // namespace

void BehaviorPlayerSystem::HandleDebugKeys(PlayerParts& p)
{
    const PCInputManager& keys = *registry->GetSystem<PCInputManager>();
    StateMachine& machine = p.player.stateMachine;
    LevelManager& levels = *registry->GetSystem<LevelManager>();
    if (keys.IsKeyTriggered(GLFW_KEY_F2))
    {
        const bool flying = machine.requestedState == static_cast<int>(PlayerState::Fly);
        machine.SetState(static_cast<int>(flying ? PlayerState::Normal : PlayerState::Fly));
    }
    if (keys.IsKeyTriggered(GLFW_KEY_F3))
    {
        MoveToNextWaypoint(p);
    }
    if (keys.IsKeyTriggered(GLFW_KEY_F4))
    {
        levels.ChangeLevel(0.0f, 0.0f, levels.currentLevel, 0.0f, ScreenTransition::Fade);
    }
    if (keys.IsKeyTriggered(GLFW_KEY_F5))
    {
        levels.ChangeLevel(0.0f, 0.0f, "8. Lab Breakout (The End)", 0.0f, ScreenTransition::Fade);
    }
    if (keys.IsKeyTriggered(GLFW_KEY_F6))
    {
        machine.SetState(static_cast<int>(PlayerState::Dead));
    }
}

void BehaviorPlayerSystem::MoveToNextWaypoint(PlayerParts& p)
{
    // The checkpoint or level exit nearest ahead of the respawn point along x.
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const float from = p.player.respawnPoint.x;
    std::optional<Vec2> best;
    for (const Entity& candidate : store.GetEntities({ComponentType::Transform}))
    {
        if (!store.HasComponent<Checkpoint>(candidate) && !IsLevelExit(candidate, store))
        {
            continue;
        }
        const Vec2 at = store.GetComponent<Transform>(candidate)->GetTranslation();
        if (at.x > from && (!best || at.x < best->x))
        {
            best = at;
        }
    }
    if (best)
    {
        p.transform.SetTranslation(*best);
        p.body.velocity = {0.0f, 0.0f};
    }
}

void BehaviorPlayerSystem::RecordAfterimage(PlayerParts& p, float dt)
{
    afterimageTimer += dt;
    if (afterimageTimer <= afterimageInterval)
    {
        return;
    }
    afterimageTimer = 0.0f;
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    const Ring<RendererSystem::Afterimage>& poses = renderer.Afterimages();
    if (!poses.IsEmpty() && poses.Back().transform.GetTranslation() == p.transform.GetTranslation())
    {
        return;
    }
    renderer.AddAfterimage(p.transform, p.sprite);
}

void BehaviorPlayerSystem::UpdateTutorial(PlayerParts& p, float dt, bool firstSubstep)
{
    BehaviorPlayer& player = p.player;
    MasterInputManager& input = Input();
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const TutorialRow& row : tutorialRows)
    {
        // Held movement counts the frame's raw duration, so it is counted once per frame.
        if (!firstSubstep || !input.IsActionHeld(row.action))
        {
            continue;
        }
        float& progress = player.tutorialProgress[static_cast<std::size_t>(row.step)];
        progress += row.pressAction ? 100.0f : registry->rawDt;
        if (progress > 1.0f && row.step == player.tutorialStep && player.tutorialPrompt.IsValid())
        {
            registry->GetSystem<LevelManager>()->RemoveFromLevel(player.tutorialPrompt);
            store.DestroyEntity(player.tutorialPrompt);
            player.tutorialPrompt = Entity::None();
        }
    }
    if (auto* prompt = store.GetComponent<Transform>(player.tutorialPrompt))
    {
        prompt->SetTranslation(p.transform.GetTranslation() + p.body.velocity * dt);
    }
}

} // namespace kesto
