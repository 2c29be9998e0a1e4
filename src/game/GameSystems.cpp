#include "game/GameSystems.h"

#include "animation/AnimationSystem.h"
#include "audio/Audio.h"
#include "editor/EditorSystem.h"
#include "engine/SystemRegistry.h"
#include "game/GameComponents.h"
#include "gameplay/BehaviorBoidSystem.h"
#include "gameplay/BehaviorFallingSystem.h"
#include "gameplay/BehaviorFlyingSystem.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/BoidControllerSystem.h"
#include "gameplay/CheckpointSystem.h"
#include "gameplay/RaySystem.h"
#include "gameplay/RotatorSystem.h"
#include "gameplay/Trigger.h"
#include "graphics/FlashingLightSystem.h"
#include "graphics/RendererSystem.h"
#include "graphics/SpriteTextSystem.h"
#include "input/ControllerInputManager.h"
#include "input/ControllerSpriteSystem.h"
#include "input/PCInputManager.h"
#include "particles/ParticleSystem.h"
#include "physics/Actor.h"
#include "physics/CollisionSystem.h"
#include "physics/Physics.h"
#include "physics/Solid.h"
#include "ui/PauseSystem.h"
#include "ui/UI_InputSystem.h"

#include <GLFW/glfw3.h>
#include <memory>
#include <typeindex>
#include <vector>

namespace kesto
{

namespace
{

using T = ComponentType;

// The modes a system runs in.
struct Modes
{
    bool game;
    bool editor;
};

constexpr Modes gameOnly{true, false};
constexpr Modes both{true, true};
constexpr Modes editorOnly{false, true};

// Systems that move or time the world run once per substep; drawing, sound and the interface once per frame.
constexpr SystemRate simulation = SystemRate::PerSubstep;
constexpr SystemRate perFrame = SystemRate::PerFrame;

void Add(SystemStore& store, std::unique_ptr<ESystem> system, std::initializer_list<ComponentType> required,
         std::initializer_list<ComponentType> excluded, Modes modes, SystemRate rate)
{
    store.AddSystem(std::move(system), MakeSignature(required), MakeSignature(excluded), modes.game, modes.editor,
                    rate);
}

template <typename System>
void Add(SystemStore& store, std::initializer_list<ComponentType> required,
         std::initializer_list<ComponentType> excluded, Modes modes, SystemRate rate)
{
    Add(store, std::make_unique<System>(), required, excluded, modes, rate);
}

std::unique_ptr<Audio> MakeAudio(const EngineDef& def)
{
    auto audio = std::make_unique<Audio>(def.assetRoot);
    audio->output = def.audioOutput;
    return audio;
}

void ToggleDebugDrawOnF1(ECS& ecs)
{
    if (ecs.registry->GetSystem<PCInputManager>()->IsKeyTriggered(GLFW_KEY_F1))
    {
        ecs.systemStore.debugDraw = !ecs.systemStore.debugDraw;
    }
}

// Repeated substeps see held input but not the frame's presses and releases, so each is acted on exactly once.
void SuppressRepeatedInputEdges(ECS& ecs, bool repeatedSubstep)
{
    ecs.registry->GetSystem<PCInputManager>()->SuppressEdges(repeatedSubstep);
    ecs.registry->GetSystem<ControllerInputManager>()->SuppressEdges(repeatedSubstep);
}

void SortRendererList(ECS& ecs)
{
    SystemStore& systems = ecs.systemStore;
    systems.GetSystem<RendererSystem>()->SortRenderList(systems.GetEntityList<RendererSystem>());
}

} // namespace

void AddGameSystems(SystemStore& s, const EngineDef& def)
{
    // Movers resolve against falling platforms first, then against solids.
    const std::vector<std::type_index> actorTargets{typeid(BehaviorFallingSystem), typeid(Solid)};

    Add<BehaviorFlyingSystem>(s, {T::BehaviorFlying, T::Rigidbody, T::Transform}, {}, gameOnly, simulation);
    Add<BehaviorPlayerSystem>(s, {T::BehaviorPlayer, T::Rigidbody, T::Transform, T::Collider}, {}, gameOnly,
                              simulation);
    Add<Trigger>(s, {T::TriggerComponent, T::Collider}, {}, gameOnly, simulation);
    Add<CheckpointSystem>(s, {T::Checkpoint, T::Collider}, {}, gameOnly, simulation);
    Add(s, std::make_unique<Actor>(actorTargets), {T::Collider, T::Rigidbody, T::Transform},
        {T::BehaviorFlying, T::BehaviorFalling, T::Laser}, gameOnly, simulation);
    Add<Solid>(s, {T::Transform, T::Collider}, {T::Rigidbody, T::TriggerComponent, T::Checkpoint}, gameOnly,
               simulation);
    Add(s, std::make_unique<UI_InputSystem>(def.settingsFile), {T::UI, T::Transform}, {}, gameOnly, perFrame);
    Add(s, MakeAudio(def), {T::SoundEmitter}, {}, both, perFrame);
    Add<RaySystem>(s, {T::Transform, T::Collider, T::Laser}, {}, gameOnly, simulation);
    Add<ParticleSystem>(s, {T::ParticleEmitter, T::Transform}, {}, both, simulation);
    Add<FlashingLightSystem>(s, {T::FlashingLight, T::Sprite, T::Transform}, {}, gameOnly, perFrame);
    Add<BoidControllerSystem>(s, {T::BoidControllerComponent}, {}, gameOnly, simulation);
    Add<BehaviorBoidSystem>(s, {T::BehaviorBoidComponent, T::Rigidbody}, {}, gameOnly, simulation);
    Add<PauseSystem>(s, {}, {}, gameOnly, perFrame);
    Add<SpriteTextSystem>(s, {T::SpriteText, T::Transform}, {}, gameOnly, perFrame);
    Add<RotatorSystem>(s, {T::Rotator, T::Transform}, {}, gameOnly, simulation);
    Add<ControllerSpriteSystem>(s, {T::ControllerSprite, T::Sprite, T::Transform}, {}, gameOnly, perFrame);
    Add<Physics>(s, {T::Rigidbody, T::Transform}, {}, gameOnly, simulation);
    Add<BehaviorFallingSystem>(s, {T::Transform, T::Rigidbody, T::BehaviorFalling, T::Collider}, {}, gameOnly,
                               simulation);
    Add<CollisionSystem>(s, {}, {}, both, simulation);
    Add<EditorSystem>(s, {T::Transform}, {}, editorOnly, perFrame);
    Add<AnimationSystem>(s, {T::Sprite, T::Animation}, {}, gameOnly, simulation);
    Add<RendererSystem>(s, {T::Transform}, {}, both, perFrame);
}

EcsDef GameEcsDef(const EngineDef& def)
{
    EcsDef world;
    world.componentFactory = [root = def.assetRoot](int index) { return NewGameComponent(index, root); };
    world.addSystems = [def](SystemStore& store) { AddGameSystems(store, def); };
    world.beginUpdate = ToggleDebugDrawOnF1;
    world.beginPass = SuppressRepeatedInputEdges;
    world.sortRenderList = SortRendererList;
    return world;
}

} // namespace kesto
