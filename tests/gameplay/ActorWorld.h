#pragma once

#include "ecs/JsonReader.h"
#include "gameplay/BehaviorBoidSystem.h"
#include "gameplay/BehaviorFalling.h"
#include "gameplay/BehaviorFallingSystem.h"
#include "gameplay/BehaviorFlying.h"
#include "gameplay/BehaviorFlyingSystem.h"
#include "gameplay/BoidControllerSystem.h"
#include "gameplay/CheckpointSystem.h"
#include "gameplay/Laser.h"
#include "gameplay/PlayerWorld.h"
#include "gameplay/RaySystem.h"
#include "gameplay/RotatorSystem.h"
#include "gameplay/Steering.h"
#include "gameplay/TriggerComponent.h"
#include "graphics/FlashingLightSystem.h"
#include "support/FrameDriver.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto::test
{

// The player world with the world's actors: one frame runs the actor systems, the player, triggers, physics, the
// falling platforms, the collision pass and animation in the game's order. Sheets the actors show are in the art
// table (8 cells, 0.1 s each, looping unless named otherwise).
struct ActorWorld
{
    static constexpr float frame = PlayerWorld::frame;

    // The art table holds the actors' sheets before the archetypes of tests/data/actors are read.
    static void Configure(TestWorld& world)
    {
        PlayerWorld::AddTestSheets(world,
                                   {"EnemyFly", "EnemyWindup", "EnemyAttack", "EnemyDefeat", "LaserN001",
                                    "LaserStartupN001", "PropCheckpointN001", "PropCheckpointN013",
                                    "PropCheckpointN014", "Bird"},
                                   {"PropCheckpointN013", "EnemyDefeat"});
        world.factory->folder = KESTO_TEST_DATA "/actors";
        NameSpriteShaders(world);
    }

    void Step(float dt = frame)
    {
        base.Run<BehaviorFlyingSystem>(dt);
        base.Run<BehaviorPlayerSystem>(dt);
        base.Run<Trigger>(dt);
        base.Run<CheckpointSystem>(dt);
        base.Run<RaySystem>(dt);
        base.Run<FlashingLightSystem>(dt);
        base.Run<BoidControllerSystem>(dt);
        base.Run<BehaviorBoidSystem>(dt);
        base.Run<RotatorSystem>(dt);
        base.Run<Physics>(dt);
        base.Run<BehaviorFallingSystem>(dt);
        base.Run<CollisionSystem>(dt);
        base.Run<AnimationSystem>(dt);
        base.world.registry.GetSystem<PCInputManager>()->Update(dt);
    }

    void Steps(int count, float dt = frame)
    {
        for (int i = 0; i < count; ++i)
        {
            Step(dt);
        }
    }

    // A body with what every actor here has: a place, a size, physics, a sprite and a sound emitter.
    Entity AddBody(const char* name, Vec2 at, Vec2 size)
    {
        Entity e(name);
        EntityStore& s = Store();
        auto* transform = s.AddComponent<Transform>(e);
        transform->SetTranslation(at);
        transform->SetScale(size);
        s.AddComponent<Rigidbody>(e);
        s.AddComponent<Collider>(e);
        s.AddComponent<Sprite>(e);
        s.AddComponent<SoundEmitter>(e);
        return e;
    }

    // A flying enemy of `size` at `at`, with the test sheets named.
    Entity AddEnemy(Vec2 at, float size = 100.0f)
    {
        const Entity e = AddBody("Enemy", at, {size, size});
        Store().AddComponent<Animation>(e);
        auto* enemy = Store().AddComponent<BehaviorFlying>(e);
        enemy->flyingAnimation = "EnemyFly";
        enemy->windupAnimation = "EnemyWindup";
        enemy->attackAnimation = "EnemyAttack";
        enemy->defeatAnimation = "EnemyDefeat";
        return e;
    }

    // A falling platform 200 x 50 whose top is at `topY`, centred on x.
    Entity AddPlatform(float x, float topY)
    {
        const Entity e = AddBody("FallingPlatform", {x, topY - 25.0f}, {200.0f, 50.0f});
        auto* platform = Store().AddComponent<BehaviorFalling>(e);
        platform->fallSpeed = -300.0f;
        platform->timeTillRespawn = 1.0f;
        return e;
    }

    Entity AddLaser(Vec2 at, float length = 400.0f)
    {
        const Entity e = AddBody("Laser", at, {length, length});
        Store().AddComponent<Animation>(e);
        Store().AddComponent<Laser>(e);
        return e;
    }

    // Gives `e` a trigger whose functions are the members of `functions` (one JSON object).
    void AddTriggerFunctions(const Entity& e, const std::string& functions)
    {
        JsonReader reader;
        ASSERT_TRUE(reader.Parse(functions, "actor.json", &Log())) << functions;
        Store().AddComponent<TriggerComponent>(e)->Read(reader, &base.world.registry);
    }

    // Puts the player's centre at `at`, at rest, in the Normal state.
    void PlacePlayer(Vec2 at)
    {
        auto& transform = Get<Transform>(player);
        transform.SetTranslation(at);
        transform.SetPreviousTranslation(at);
        Get<Rigidbody>(player).velocity = {};
        Get<Collider>(player).boundsStale = true;
    }

    EntityStore& Store() { return base.Store(); }
    template <typename C> C& Get(const Entity& e) { return *Store().GetComponent<C>(e); }
    template <typename System> System& GetSystem() { return *base.world.Systems().GetSystem<System>(); }
    std::string Sheet(const Entity& e) { return base.Sheet(e); }
    Trace& Log() { return *base.world.trace; }

    PlayerWorld base{&ActorWorld::Configure};
    Entity player = base.SpawnPlayer();
};

} // namespace kesto::test
