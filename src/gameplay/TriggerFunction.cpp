#include "gameplay/TriggerFunction.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gameplay/TriggerKindsAudio.h"
#include "gameplay/TriggerKindsPlayer.h"
#include "gameplay/TriggerKindsWorld.h"
#include "levels/LevelManager.h"
#include "physics/Collider.h"

#include <algorithm>
#include <array>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 2> eventNames = {"On Enter", "On Collide"};

template <typename... Kinds> std::vector<std::unique_ptr<TriggerFunction>> MakePrototypes()
{
    std::vector<std::unique_ptr<TriggerFunction>> prototypes;
    (prototypes.push_back(std::make_unique<Kinds>()), ...);
    return prototypes;
}

// One function of each kind with its defaults, in the kinds' fixed order.
const std::vector<std::unique_ptr<TriggerFunction>>& Prototypes()
{
    static const std::vector<std::unique_ptr<TriggerFunction>> prototypes =
        MakePrototypes<TriggerDashReset, TriggerNextLevel, TriggerCameraOffset, TriggerCameraZoom,
                       TriggerSpawnArchetype, TriggerSetState, TriggerGlobalParameter, TriggerDashResetVFX,
                       TriggerFrameFreeze, TriggerAmbientLight, TriggerTutorial, TriggerSwitch, SoundInstance,
                       TriggerAnimationPlay, TriggerSetFrame, TriggerTimer, StopMusic, FadeOut>();
    return prototypes;
}

} // namespace

EntityStore& TriggerContext::Store() const { return registry.GetSystem<ECS>()->entityStore; }

SystemStore& TriggerContext::Systems() const { return registry.GetSystem<ECS>()->systemStore; }

Vec2 TriggerContext::PositionOf(const Entity& entity) const
{
    const auto* transform = Store().GetComponent<Transform>(entity);
    return transform ? transform->GetTranslation() : Vec2{};
}

Entity TriggerContext::SpawnAt(const std::string& archetype, Vec2 at) const
{
    const Entity spawned = registry.GetSystem<LevelManager>()->SpawnInLevel(archetype);
    if (auto* transform = Store().GetComponent<Transform>(spawned))
    {
        transform->SetTranslation(at);
    }
    if (auto* collider = Store().GetComponent<Collider>(spawned))
    {
        collider->boundsStale = true;
    }
    return spawned;
}

const FieldTable<TriggerFunction>& TriggerFunction::Fields()
{
    using F = TriggerFunction;
    static const FieldTable<TriggerFunction> fields{
        Field<&F::event>("event").Label("Event").Combo(eventNames).Uncompared(),
        Field<&F::delay>("delay").Label("Delay").Drag(0.1f),
        Field<&F::dashRequired>("dashRequired").Label("Dash Required"),
        Field<&F::happensOnce>("happensOnce").Label("Happens Once").SameLine(),
    };
    return fields;
}

std::unique_ptr<TriggerFunction> TriggerFunction::Create(std::string_view name)
{
    for (const std::unique_ptr<TriggerFunction>& prototype : Prototypes())
    {
        if (prototype->EditorName() == name)
        {
            return prototype->Clone();
        }
    }
    return nullptr;
}

const std::vector<std::string>& TriggerFunction::KindNames()
{
    static const std::vector<std::string> names = []
    {
        std::vector<std::string> list;
        for (const std::unique_ptr<TriggerFunction>& prototype : Prototypes())
        {
            list.emplace_back(prototype->EditorName());
        }
        return list;
    }();
    return names;
}

void TriggerFunction::ReportMissing(const TriggerContext& context, const Entity& entity, std::string_view what)
{
    if (reportedMissing)
    {
        return;
    }
    reportedMissing = true;
    context.registry.GetSystem<Trace>()->Report("GAMEPLAY", entity.name,
                                                std::string(EditorName()) + " needs " + std::string(what) +
                                                    " on this entity; it does nothing");
}

} // namespace kesto
