#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/RendererSystem.h"
#include "input/MasterInputManager.h"
#include "ui/ProgressBar.h"

#include <algorithm>

namespace kesto
{

void BehaviorPlayerSystem::UpdateTimeSlow(PlayerParts& p, float dt)
{
    BehaviorPlayer& player = p.player;
    MasterInputManager& input = Input();
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    const bool slowed = registry->timeScale == player.timeSlowScale;
    const int requested = player.stateMachine.requestedState;
    const bool allowed =
        requested == static_cast<int>(PlayerState::Normal) || requested == static_cast<int>(PlayerState::Dash);
    // The meter runs on real time, whatever the slow does to dt.
    const float real = registry->timeScale > 0.0f ? dt / registry->timeScale : 0.0f;
    // Only its effect on the device in use matters; the answer is not needed.
    input.IsActionReleased("SlowMo");

    bool stop = false;
    if (input.IsActionTriggered("SlowMo") && !slowed && player.timeSlowMeter >= player.timeSlowRechargeThreshold &&
        allowed)
    {
        registry->timeScale = player.timeSlowScale;
        renderer.slowMotionOn = true;
        return;
    }
    if (input.IsActionHeld("SlowMo") && slowed && allowed)
    {
        player.timeSlowMeter = std::clamp(player.timeSlowMeter - real * player.timeSlowUseSpeed, 0.0f, 1.0f);
        stop = player.timeSlowMeter <= 0.0f;
    }
    else
    {
        player.timeSlowMeter = std::clamp(player.timeSlowMeter + real * player.timeSlowRechargeSpeed, 0.0f, 1.0f);
        stop = slowed;
    }
    if (stop)
    {
        registry->timeScale = 1.0f;
        renderer.slowMotionOn = false;
    }
}

void BehaviorPlayerSystem::ShowTimeSlowBar(PlayerParts& p)
{
    if (p.player.timeSlowBarArchetype.empty())
    {
        return;
    }
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& bar : store.GetEntities({ComponentType::ProgressBar}))
    {
        if (bar.name == p.player.timeSlowBarArchetype)
        {
            ProgressBar& progress = *store.GetComponent<ProgressBar>(bar);
            progress.current = p.player.timeSlowMeter;
            progress.dirty = true;
        }
    }
}

} // namespace kesto
