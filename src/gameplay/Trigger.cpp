#include "gameplay/Trigger.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/TriggerComponent.h"

#include <algorithm>
#include <cstddef>

namespace kesto
{

void Trigger::Update(EntityList& entities, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : entities)
    {
        auto* trigger = store.GetComponent<TriggerComponent>(entity);
        if (!trigger)
        {
            continue;
        }
        trigger->wasTouching = trigger->touching;
        trigger->touching = false;
        RunDueFunctions(entity, dt);
    }
}

void Trigger::RunDueFunctions(const Entity& entity, float dt)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (std::size_t i = 0;;)
    {
        // Looked up again for every function: one that runs may destroy the trigger.
        auto* trigger = store.GetComponent<TriggerComponent>(entity);
        if (!trigger || i >= trigger->functions.size())
        {
            return;
        }
        TriggerFunction* function = trigger->functions[i].get();
        if (!function || function->pendingTimer == 0.0f)
        {
            ++i;
            continue;
        }
        function->pendingTimer = std::max(function->pendingTimer - dt, 0.0f);
        if (function->pendingTimer != 0.0f)
        {
            ++i;
            continue;
        }
        function->Execute(TriggerContext{*registry, entity, trigger->otherEntity});
        trigger = store.GetComponent<TriggerComponent>(entity);
        if (trigger && i < trigger->functions.size() && trigger->functions[i].get() == function &&
            function->happensOnce)
        {
            // Later functions move up; the next one is now at i.
            trigger->functions.erase(trigger->functions.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void Trigger::CollisionHandler(Entity self, Entity other)
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto* trigger = store.GetComponent<TriggerComponent>(other);
    if (!trigger)
    {
        return;
    }
    const auto* player = store.GetComponent<BehaviorPlayer>(self);
    const bool dashing = player && player->stateMachine.requestedState == static_cast<int>(PlayerState::Dash);
    for (const std::unique_ptr<TriggerFunction>& function : trigger->functions)
    {
        if (!function || function->pendingTimer != 0.0f || (function->dashRequired && !dashing))
        {
            continue;
        }
        if (function->event == TriggerEvent::OnCollide ||
            (function->event == TriggerEvent::OnEnter && !trigger->wasTouching))
        {
            function->pendingTimer = std::max(function->delay, shortestDelay);
            trigger->otherEntity = self;
        }
    }
    trigger->wasTouching = trigger->touching;
    trigger->touching = true;
}

} // namespace kesto
