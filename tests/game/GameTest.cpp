#include "game/Game.h"

#include "animation/AnimationSystem.h"
#include "animation/SpineSourceManager.h"
#include "audio/Audio.h"
#include "ecs/Transform.h"
#include "editor/EditorSystem.h"
#include "engine/Random.h"
#include "game/GameSystems.h"
#include "gamepad/GamepadState.h"
#include "gameplay/BehaviorBoidSystem.h"
#include "gameplay/BehaviorFallingSystem.h"
#include "gameplay/BehaviorFlyingSystem.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/BoidControllerSystem.h"
#include "gameplay/CheckpointSystem.h"
#include "gameplay/RaySystem.h"
#include "gameplay/RotatorSystem.h"
#include "gameplay/Trigger.h"
#include "graphics/Camera.h"
#include "graphics/FlashingLightSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/RendererSystem.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/SpriteTextSystem.h"
#include "graphics/Video.h"
#include "graphics/WindowHandler.h"
#include "input/ControllerInputManager.h"
#include "input/ControllerSpriteSystem.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "levels/GameStateManager.h"
#include "levels/LevelManager.h"
#include "particles/ParticleSystem.h"
#include "particles/ParticleTemplateManager.h"
#include "physics/Actor.h"
#include "physics/CollisionSystem.h"
#include "physics/Physics.h"
#include "physics/Solid.h"
#include "support/TestWorld.h"
#include "ui/CreditSystem.h"
#include "ui/CutsceneSystem.h"
#include "ui/PauseSystem.h"
#include "ui/TimerSystem.h"
#include "ui/UI_InputSystem.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace kesto
{
namespace
{

std::vector<std::type_index> ComponentSystemOrder(const SystemStore& store)
{
    std::vector<std::type_index> order;
    for (const auto& entry : store.Entries())
    {
        order.emplace_back(typeid(*entry->system));
    }
    return order;
}

TEST(Game, EngineSystemsAreRegisteredInTheGamesOrder)
{
    test::TestWorld world;
    const std::vector<std::type_index> expected = {
        typeid(Random),
        typeid(Trace),
        typeid(WindowHandler),
        typeid(MeshManager),
        typeid(Camera),
        typeid(ShaderManager),
        typeid(ECS),
        typeid(GameStateManager),
        typeid(SpineSourceManager),
        typeid(SpriteSourceManager),
        typeid(ParticleTemplateManager),
        typeid(ControllerInputManager),
        typeid(ArchetypeFactory),
        typeid(LevelManager),
        typeid(MasterInputManager),
        typeid(CreditSystem),
        typeid(CutsceneSystem),
        typeid(TimerSystem),
        typeid(PCInputManager),
    };
    EXPECT_EQ(world.registry.Order(), expected);
}

TEST(Game, ComponentSystemsRunInTheGamesOrder)
{
    test::TestWorld world;
    const std::vector<std::type_index> expected = {
        typeid(BehaviorFlyingSystem),
        typeid(BehaviorPlayerSystem),
        typeid(Trigger),
        typeid(CheckpointSystem),
        typeid(Actor),
        typeid(Solid),
        typeid(UI_InputSystem),
        typeid(Audio),
        typeid(RaySystem),
        typeid(ParticleSystem),
        typeid(FlashingLightSystem),
        typeid(BoidControllerSystem),
        typeid(BehaviorBoidSystem),
        typeid(PauseSystem),
        typeid(SpriteTextSystem),
        typeid(RotatorSystem),
        typeid(ControllerSpriteSystem),
        typeid(Physics),
        typeid(BehaviorFallingSystem),
        typeid(CollisionSystem),
        typeid(EditorSystem),
        typeid(AnimationSystem),
        typeid(RendererSystem),
    };
    EXPECT_EQ(ComponentSystemOrder(world.Systems()), expected);
}

TEST(Game, WhatMovesOrTimesTheWorldRunsPerSubstepAndTheRestPerFrame)
{
    test::TestWorld world;
    const std::vector<std::type_index> perFrame = {
        typeid(UI_InputSystem),      typeid(Audio),
        typeid(FlashingLightSystem), typeid(PauseSystem),
        typeid(SpriteTextSystem),    typeid(ControllerSpriteSystem),
        typeid(EditorSystem),        typeid(RendererSystem),
    };
    std::vector<std::type_index> found;
    for (const auto& entry : world.Systems().Entries())
    {
        if (entry->rate == SystemRate::PerFrame)
        {
            found.emplace_back(typeid(*entry->system));
        }
    }
    EXPECT_EQ(found, perFrame);
}

// A system that asks about an action in every pass it runs in, the way the player and the menus do.
class ActionProbe : public ESystem
{
public:
    struct Seen
    {
        bool triggered;
        bool held;
        bool released;
    };

    void Init() override {}
    void Update(EntityList&, float) override
    {
        auto& input = *registry->GetSystem<MasterInputManager>();
        seen.push_back({input.IsActionTriggered("Jump"), input.IsActionHeld("Jump"), input.IsActionReleased("Jump")});
    }

    std::vector<Seen> seen;
};

class PerFrameProbe : public ActionProbe
{
};

TEST(Game, EachPressAndReleaseIsSeenByExactlyOneSubstep)
{
    test::TestWorld world;
    world.pad->connected = true;
    SystemStore& systems = world.Systems();
    systems.AddSystem(std::make_unique<ActionProbe>(), {}, {}, true, false, SystemRate::PerSubstep);
    systems.AddSystem(std::make_unique<PerFrameProbe>(), {}, {}, true, false, SystemRate::PerFrame);
    world.Init();
    auto& substeps = systems.GetSystem<ActionProbe>()->seen;
    auto& frames = systems.GetSystem<PerFrameProbe>()->seen;
    double now = 1.0;
    world.registry.StepFrame(now); // the first frame has no duration
    // 0.1 s frames: twelve substeps each.
    const auto frame = [&]
    {
        substeps.clear();
        frames.clear();
        world.registry.StepFrame(now += 0.1);
        EXPECT_EQ(substeps.size(), 12u);
        EXPECT_EQ(frames.size(), 1u);
    };
    const auto count = [&substeps](bool ActionProbe::Seen::*field)
    { return std::count_if(substeps.begin(), substeps.end(), [field](const auto& s) { return s.*field; }); };
    frame();

    struct Device
    {
        const char* name;
        std::function<void(bool down)> set;
    };
    const Device devices[] = {
        {"key", [&](bool down)
         { down ? world.keyboardMouse->Press(GLFW_KEY_SPACE) : world.keyboardMouse->Release(GLFW_KEY_SPACE); }},
        {"pad", [&](bool down) { world.pad->state.buttons = down ? gamepad::buttonA : 0; }},
    };
    for (const Device& device : devices)
    {
        device.set(true);
        frame(); // the press arrives with this frame's event pump and pad poll
        frame();
        EXPECT_EQ(count(&ActionProbe::Seen::triggered), 1) << device.name;
        EXPECT_TRUE(substeps.front().triggered) << device.name;
        EXPECT_EQ(count(&ActionProbe::Seen::held), 12) << device.name;
        EXPECT_TRUE(frames.front().triggered) << device.name << ": the menus still see the press";
        frame();
        EXPECT_EQ(count(&ActionProbe::Seen::triggered), 0) << device.name;
        device.set(false);
        frame();
        frame();
        EXPECT_EQ(count(&ActionProbe::Seen::released), 1) << device.name;
        EXPECT_TRUE(substeps.front().released) << device.name;
        EXPECT_EQ(count(&ActionProbe::Seen::held), 0) << device.name;
        EXPECT_TRUE(frames.front().released) << device.name;
        frame();
        EXPECT_EQ(count(&ActionProbe::Seen::released), 0) << device.name;
    }
}

TEST(Game, ActorsResolveAgainstFallingPlatformsThenSolids)
{
    test::TestWorld world;
    world.Init();
    SystemStore& systems = world.Systems();
    const std::vector<ESystem*> expected = {systems.GetSystem<BehaviorFallingSystem>(), systems.GetSystem<Solid>()};
    EXPECT_EQ(systems.GetSystem<Actor>()->CollisionTargets(), expected);
}

TEST(Game, AddingTheGamesSystemsTwiceIsAnError)
{
    test::FakeKeyboardMouse keyboardMouse;
    test::FakePad pad;
    const EngineDef def = test::HeadlessDef(keyboardMouse, pad);
    SystemStore store;
    AddGameSystems(store, def);
    try
    {
        AddGameSystems(store, def);
        FAIL() << "no error";
    }
    catch (const DuplicateSystemError& error)
    {
        EXPECT_NE(std::string(error.what()).find("SystemStore::AddSystem: "), std::string::npos) << error.what();
    }
    EXPECT_EQ(store.Entries().size(), 23u);
}

TEST(Game, EveryContentFolderIsFoundUnderTheAssetRoot)
{
    test::FakeKeyboardMouse keyboardMouse;
    test::FakePad pad;
    EngineDef def = test::HeadlessDef(keyboardMouse, pad);
    def.assetRoot = "Elsewhere/";
    SystemRegistry registry;
    RegisterEngineSystems(registry, def);
    const Audio& audio = *registry.GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    const std::string build = "Elsewhere/Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/";
    const std::vector<std::pair<std::string, std::string>> folders = {
        {registry.GetSystem<ShaderManager>()->folder, "Elsewhere/Data/Files/"},
        {registry.GetSystem<SpriteSourceManager>()->folder, "Elsewhere/Data/Files/"},
        {registry.GetSystem<ParticleTemplateManager>()->folder, "Elsewhere/Data/Files/"},
        {registry.GetSystem<MasterInputManager>()->bindingFolder, "Elsewhere/Data/Files/"},
        {registry.GetSystem<ArchetypeFactory>()->folder, "Elsewhere/Data/Archetypes"},
        {registry.GetSystem<LevelManager>()->folder, "Elsewhere/Data/Levels/"},
        {audio.bankFolder, build + "Desktop/"},
        {audio.guidListFile, build + "GUIDs.txt"},
    };
    for (const auto& [actual, expected] : folders)
    {
        EXPECT_EQ(actual, expected);
    }
    EXPECT_EQ(audio.preloadedCinematics,
              (std::vector<std::string>{"Elsewhere/Audio/Cinematics/KestoOpeningCinematicD2(NoVox).mp3",
                                        "Elsewhere/Audio/Cinematics/Ending_Cinematic.mp3"}));
    // A video's path names its file under the root, and its sound track is then one of those preloaded.
    std::unique_ptr<Component> video = registry.GetSystem<ECS>()->entityStore.NewComponent(Video::typeIndex);
    static_cast<Video&>(*video).path = "Audio\\Cinematics\\Ending_Cinematic.mp4";
    EXPECT_EQ(static_cast<Video&>(*video).File(), "Elsewhere/Audio/Cinematics/Ending_Cinematic.mp4");
    EXPECT_EQ(EngineDef{}.assetRoot, "Assets/");
}

TEST(Game, AHeadlessEngineWithoutContentRunsQuietly)
{
    test::TestWorld world;
    world.Init();
    for (int frame = 1; frame <= 3; ++frame)
    {
        world.registry.StepFrame(static_cast<float>(frame) * 0.125f);
    }
    EXPECT_EQ(world.trace->Text(), "");
    EXPECT_EQ(world.registry.GetSystem<WindowHandler>()->window, nullptr);
    EXPECT_TRUE(world.registry.GetSystem<LevelManager>()->currentLevel.empty());
    EXPECT_EQ(world.Systems().GetSystem<Audio>()->output, studio::OutputMode::NoOutput);
}

TEST(Game, F1TogglesDebugDrawingAtTheStartOfTheFrameAfterThePress)
{
    test::TestWorld world;
    world.Init();
    float now = 1.0f;
    const auto frame = [&] { world.registry.StepFrame(now += 0.125f); };
    const bool& debugDraw = world.Systems().debugDraw;
    world.keyboardMouse->Press(GLFW_KEY_F1);
    frame(); // the press arrives with the event pump at the end of this frame
    EXPECT_FALSE(debugDraw);
    frame();
    EXPECT_TRUE(debugDraw);
    frame(); // held: no second toggle
    EXPECT_TRUE(debugDraw);
    world.keyboardMouse->Release(GLFW_KEY_F1);
    frame();
    frame();
    world.keyboardMouse->Press(GLFW_KEY_F1);
    frame();
    frame();
    EXPECT_FALSE(debugDraw);
}

TEST(Game, RenderListSortsIntoDrawOrderThroughTheEcs)
{
    test::TestWorld world;
    world.Init();
    EntityStore& store = world.Store();
    const Entity back("Back");
    const Entity front("Front");
    for (const auto& [entity, order] : {std::pair{front, 5}, std::pair{back, 1}})
    {
        store.AddComponent<Transform>(entity);
        store.AddComponent<Sprite>(entity)->order = order;
    }
    world.ecs->SortRenderList();
    const std::vector<Entity> list = world.Systems().GetEntityList<RendererSystem>().ToVector();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], back);
    EXPECT_EQ(list[1], front);
}

TEST(Ecs, WithoutADefItKnowsNoComponentOrSystem)
{
    SystemRegistry registry;
    registry.Register(std::make_unique<ECS>());
    ECS& ecs = *registry.GetSystem<ECS>();
    ecs.Init();
    ecs.Update(0.125f);
    ecs.SortRenderList();
    EXPECT_TRUE(ecs.systemStore.Entries().empty());
    EXPECT_EQ(ecs.entityStore.NewComponent(0), nullptr);
    EXPECT_EQ(ecs.entityStore.GetDefaultComponent(0), nullptr);
}

} // namespace
} // namespace kesto
