#include "ecs/ECS.h"

#include "animation/AnimationSystem.h"
#include "audio/Audio.h"
#include "editor/EditorSystem.h"
#include "engine/SystemRegistry.h"
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

namespace kesto
{

namespace
{

using T = ComponentType;

template <typename System>
void Add(SystemStore& store, std::initializer_list<ComponentType> required,
         std::initializer_list<ComponentType> excluded, bool runInGame, bool runInEditor)
{
    store.AddSystem(std::make_unique<System>(), MakeSignature(required), MakeSignature(excluded), runInGame,
                    runInEditor);
}

} // namespace

ECS::ECS()
{
    entityStore.systemStore = &systemStore;
    systemStore.entityStore = &entityStore;
}

ECS::~ECS() = default;

void ECS::Init()
{
    entityStore.registry = registry;
    systemStore.registry = registry;
    SystemStore& s = systemStore;
    Add<BehaviorFlyingSystem>(s, {T::BehaviorFlying, T::Rigidbody, T::Transform}, {}, true, false);
    Add<BehaviorPlayerSystem>(s, {T::BehaviorPlayer, T::Rigidbody, T::Transform, T::Collider}, {}, true, false);
    Add<Trigger>(s, {T::TriggerComponent, T::Collider}, {}, true, false);
    Add<CheckpointSystem>(s, {T::Checkpoint, T::Collider}, {}, true, false);
    Add<Actor>(s, {T::Collider, T::Rigidbody, T::Transform}, {T::BehaviorFlying, T::BehaviorFalling, T::Laser}, true,
               false);
    Add<Solid>(s, {T::Transform, T::Collider}, {T::Rigidbody, T::TriggerComponent, T::Checkpoint}, true, false);
    Add<UI_InputSystem>(s, {T::UI, T::Transform}, {}, true, false);
    Add<Audio>(s, {T::SoundEmitter}, {}, true, true);
    Add<RaySystem>(s, {T::Transform, T::Collider, T::Laser}, {}, true, false);
    Add<ParticleSystem>(s, {T::ParticleEmitter, T::Transform}, {}, true, true);
    Add<FlashingLightSystem>(s, {T::FlashingLight, T::Sprite, T::Transform}, {}, true, false);
    Add<BoidControllerSystem>(s, {T::BoidControllerComponent}, {}, true, false);
    Add<BehaviorBoidSystem>(s, {T::BehaviorBoidComponent, T::Rigidbody}, {}, true, false);
    Add<PauseSystem>(s, {}, {}, true, false);
    Add<SpriteTextSystem>(s, {T::SpriteText, T::Transform}, {}, true, false);
    Add<RotatorSystem>(s, {T::Rotator, T::Transform}, {}, true, false);
    Add<ControllerSpriteSystem>(s, {T::ControllerSprite, T::Sprite, T::Transform}, {}, true, false);
    Add<Physics>(s, {T::Rigidbody, T::Transform}, {}, true, false);
    Add<BehaviorFallingSystem>(s, {T::Transform, T::Rigidbody, T::BehaviorFalling, T::Collider}, {}, true, false);
    Add<CollisionSystem>(s, {}, {}, true, true);
    Add<EditorSystem>(s, {T::Transform}, {}, false, true);
    Add<AnimationSystem>(s, {T::Sprite, T::Animation}, {}, true, false);
    Add<RendererSystem>(s, {T::Transform}, {}, true, true);
    systemStore.InitAll();
}

void ECS::Update(float dt)
{
    if (registry->GetSystem<PCInputManager>()->IsKeyTriggered(GLFW_KEY_F1))
    {
        systemStore.debugDraw = !systemStore.debugDraw;
    }
    systemStore.UpdateAll(dt);
}

void ECS::SetEditorMode(bool on)
{
    if (!on)
    {
        systemStore.GetSystem<BehaviorPlayerSystem>()->ClearAfterimages();
    }
    systemStore.editorMode = on;
    systemStore.debugDraw = on;
}

void ECS::SortRenderList()
{
    systemStore.GetSystem<RendererSystem>()->SortRenderList(systemStore.GetEntityList<RendererSystem>());
}

} // namespace kesto
