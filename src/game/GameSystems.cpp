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

void Add(SystemStore& store, std::unique_ptr<ESystem> system, std::initializer_list<ComponentType> required,
         std::initializer_list<ComponentType> excluded, Modes modes)
{
    store.AddSystem(std::move(system), MakeSignature(required), MakeSignature(excluded), modes.game, modes.editor);
}

template <typename System>
void Add(SystemStore& store, std::initializer_list<ComponentType> required,
         std::initializer_list<ComponentType> excluded, Modes modes)
{
    Add(store, std::make_unique<System>(), required, excluded, modes);
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

    Add<BehaviorFlyingSystem>(s, {T::BehaviorFlying, T::Rigidbody, T::Transform}, {}, gameOnly);
    Add<BehaviorPlayerSystem>(s, {T::BehaviorPlayer, T::Rigidbody, T::Transform, T::Collider}, {}, gameOnly);
    Add<Trigger>(s, {T::TriggerComponent, T::Collider}, {}, gameOnly);
    Add<CheckpointSystem>(s, {T::Checkpoint, T::Collider}, {}, gameOnly);
    Add(s, std::make_unique<Actor>(actorTargets), {T::Collider, T::Rigidbody, T::Transform},
        {T::BehaviorFlying, T::BehaviorFalling, T::Laser}, gameOnly);
    Add<Solid>(s, {T::Transform, T::Collider}, {T::Rigidbody, T::TriggerComponent, T::Checkpoint}, gameOnly);
    Add<UI_InputSystem>(s, {T::UI, T::Transform}, {}, gameOnly);
    Add(s, MakeAudio(def), {T::SoundEmitter}, {}, both);
    Add<RaySystem>(s, {T::Transform, T::Collider, T::Laser}, {}, gameOnly);
    Add<ParticleSystem>(s, {T::ParticleEmitter, T::Transform}, {}, both);
    Add<FlashingLightSystem>(s, {T::FlashingLight, T::Sprite, T::Transform}, {}, gameOnly);
    Add<BoidControllerSystem>(s, {T::BoidControllerComponent}, {}, gameOnly);
    Add<BehaviorBoidSystem>(s, {T::BehaviorBoidComponent, T::Rigidbody}, {}, gameOnly);
    Add<PauseSystem>(s, {}, {}, gameOnly);
    Add<SpriteTextSystem>(s, {T::SpriteText, T::Transform}, {}, gameOnly);
    Add<RotatorSystem>(s, {T::Rotator, T::Transform}, {}, gameOnly);
    Add<ControllerSpriteSystem>(s, {T::ControllerSprite, T::Sprite, T::Transform}, {}, gameOnly);
    Add<Physics>(s, {T::Rigidbody, T::Transform}, {}, gameOnly);
    Add<BehaviorFallingSystem>(s, {T::Transform, T::Rigidbody, T::BehaviorFalling, T::Collider}, {}, gameOnly);
    Add<CollisionSystem>(s, {}, {}, both);
    Add<EditorSystem>(s, {T::Transform}, {}, editorOnly);
    Add<AnimationSystem>(s, {T::Sprite, T::Animation}, {}, gameOnly);
    Add<RendererSystem>(s, {T::Transform}, {}, both);
}

EcsDef GameEcsDef(const EngineDef& def)
{
    EcsDef world;
    world.componentFactory = [root = def.assetRoot](int index) { return NewGameComponent(index, root); };
    world.addSystems = [def](SystemStore& store) { AddGameSystems(store, def); };
    world.beginUpdate = ToggleDebugDrawOnF1;
    world.sortRenderList = SortRendererList;
    return world;
}

} // namespace kesto
