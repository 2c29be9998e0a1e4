#pragma once

#include "animation/Animation.h"
#include "animation/AnimationSystem.h"
#include "audio/SoundEmitter.h"
#include "ecs/Transform.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/Trigger.h"
#include "graphics/Camera.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "physics/Collider.h"
#include "physics/CollisionSystem.h"
#include "physics/Gravity.h"
#include "physics/Physics.h"
#include "physics/Rigidbody.h"
#include "support/TestWorld.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string_view>

namespace kesto::test
{

// The headless engine as the player controller sees it, driven one frame at a time: the player, trigger, physics,
// collision and animation systems run in their frame order, then input is captured.
struct PlayerWorld
{
    static constexpr float frame = 1.0f / 60.0f;

    // `configure` may point systems at test data before they initialise.
    explicit PlayerWorld(const std::function<void(TestWorld&)>& configure = {}) : world(KESTO_TEST_DATA "/archetypes")
    {
        SystemRegistry& r = world.registry;
        if (configure)
        {
            configure(world);
        }
        world.Init();
        // The cursor rests at the centre of the headless 800 x 800 window, where the camera looks.
        world.keyboardMouse->framebuffer = {800, 800};
        world.keyboardMouse->cursor = {400.0, 400.0};
        levels = r.GetSystem<LevelManager>();
        levels->levelEntities.emplace_back();
        camera = r.GetSystem<Camera>();
        AddTestSheets(world,
                      {"RuskIdleV3", "RuskIdle2V3", "RuskRunV3", "RuskJumpV3", "RuskFallV3", "RuskDashV3",
                       "EnemyIdleV1", "RuskHookN001", "RuskHookN002", "RuskHookN007", "RuskHookN008"},
                      {"RuskIdle2V3", "RuskJumpV3", "RuskHookN001", "RuskHookN007"});
    }

    // Puts `sheets` in the art table: 8 cells of 0.1 s in a row, looping unless named in `playedOnce`.
    static void AddTestSheets(TestWorld& world, std::initializer_list<const char*> sheets,
                              std::initializer_list<std::string_view> playedOnce)
    {
        for (const char* sheet : sheets)
        {
            SpriteSource& source = world.registry.GetSystem<SpriteSourceManager>()->sources[sheet];
            source.name = sheet;
            source.rows = 1;
            source.columns = 8;
            source.frameCount = 8;
            source.frameDuration = 0.1f;
            source.isLooping = std::find(playedOnce.begin(), playedOnce.end(), sheet) == playedOnce.end();
        }
    }

    // A player standing on a floor whose top is at y = 0, at x = 0.
    Entity SpawnPlayer(float gravityAmount = 1000.0f)
    {
        Entity e("Player");
        EntityStore& s = Store();
        auto* transform = s.AddComponent<Transform>(e);
        transform->SetTranslation({0.0f, 50.0f});
        s.AddComponent<Rigidbody>(e);
        s.AddComponent<Gravity>(e)->amount = gravityAmount;
        s.AddComponent<Collider>(e);
        s.AddComponent<Sprite>(e);
        s.AddComponent<Animation>(e);
        s.AddComponent<SoundEmitter>(e);
        auto* player = s.AddComponent<BehaviorPlayer>(e);
        player->groundAcceleration = 1200.0f;
        player->airAcceleration = 1200.0f;
        player->groundDeceleration = 1000.0f;
        player->airDeceleration = 1000.0f;
        player->cameraSpeed = 0.0f; // the camera stays put unless a test wants it to follow
        return e;
    }

    Entity SpawnFloor(float topY = 0.0f)
    {
        Entity e("Floor");
        auto* transform = Store().AddComponent<Transform>(e);
        transform->SetTranslation({0.0f, topY - 50.0f});
        transform->SetScale({10000.0f, 100.0f});
        Store().AddComponent<Collider>(e);
        return e;
    }

    void Step(float dt = frame)
    {
        Run<BehaviorPlayerSystem>(dt);
        Run<Trigger>(dt);
        Run<Physics>(dt);
        Run<CollisionSystem>(dt);
        Run<AnimationSystem>(dt);
        world.registry.GetSystem<PCInputManager>()->Update(dt);
    }

    // The key is down from the next frame on.
    void Press(int key)
    {
        world.keyboardMouse->Press(key);
        world.registry.GetSystem<PCInputManager>()->Update(0.0f);
    }
    // Pressed and released before the next capture, as a tap shorter than a frame is.
    void Tap(int key)
    {
        world.keyboardMouse->Tap(key);
        world.registry.GetSystem<PCInputManager>()->Update(0.0f);
    }
    void Release(int key)
    {
        world.keyboardMouse->Release(key);
        world.registry.GetSystem<PCInputManager>()->Update(0.0f);
    }

    template <typename System> void Run(float dt)
    {
        SystemStore& systems = world.Systems();
        systems.GetSystem<System>()->Update(systems.GetEntityList<System>(), dt);
    }

    EntityStore& Store() { return world.Store(); }
    template <typename C> C& Get(const Entity& e) { return *Store().GetComponent<C>(e); }
    std::string Sheet(const Entity& e)
    {
        const SpriteSource* source = Get<Sprite>(e).spriteSource;
        return source ? source->name : std::string();
    }

    TestWorld world;
    LevelManager* levels = nullptr;
    Camera* camera = nullptr;
};

} // namespace kesto::test
