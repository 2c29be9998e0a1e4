#pragma once

#include "audio/Audio.h"
#include "ecs/JsonReader.h"
#include "gameplay/PlayerWorld.h"
#include "gameplay/TriggerComponent.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto::test
{

// The player world with trigger volumes: the player floats without gravity wherever a test puts it, the sound
// project of tests/data/audio is loaded (for global parameters and the music bus) and the levels of tests/data/levels
// are listed.
struct TriggerWorld
{
    static constexpr Vec2 away{-5000.0f, 50.0f};

    TriggerWorld()
        : base(
              [](TestWorld& engine)
              {
                  auto* audio = engine.ecs->systemStore.GetSystem<Audio>();
                  audio->bankFolder = KESTO_TEST_DATA "/audio/Desktop/";
                  audio->guidListFile = KESTO_TEST_DATA "/audio/GUIDs.txt";
              })
    {
        player = base.SpawnPlayer(0.0f);
        base.levels->folder = KESTO_TEST_DATA "/levels/";
        PlacePlayer(away);
    }

    // A trigger box of `size` centred on `at` whose functions are the members of `functions` (one JSON object).
    Entity AddTrigger(const std::string& functions, Vec2 at, Vec2 size = {200.0f, 200.0f})
    {
        Entity trigger("Trigger");
        EntityStore& store = Store();
        auto* transform = store.AddComponent<Transform>(trigger);
        transform->SetTranslation(at);
        transform->SetScale(size);
        store.AddComponent<Collider>(trigger);
        JsonReader reader;
        EXPECT_TRUE(reader.Parse(functions, "trigger.json", world.trace)) << functions;
        store.AddComponent<TriggerComponent>(trigger)->Read(reader, &world.registry);
        return trigger;
    }

    // A trigger in a place of its own: the first at (0, 500), each next one 1000 units further right.
    Entity AddTrigger(const std::string& functions) { return AddTrigger(functions, NextPlace()); }

    Vec2 NextPlace() { return {1000.0f * static_cast<float>(placed++), 500.0f}; }

    // Puts the player's centre at `at`, at rest.
    void PlacePlayer(Vec2 at)
    {
        auto& transform = Get<Transform>(player);
        transform.SetTranslation(at);
        transform.SetPreviousTranslation(at);
        Get<Rigidbody>(player).velocity = {};
        Get<Collider>(player).boundsStale = true;
    }

    // One frame in which the player is inside `trigger` (or away from every trigger) during the collision pass.
    void Frame(const Entity& trigger, bool inside, float dt = PlayerWorld::frame)
    {
        PlacePlayer(inside ? Get<Transform>(trigger).GetTranslation() : away);
        base.Step(dt);
    }

    // Only the trigger update and the collision pass, with the player inside `trigger` or away: the player's state
    // stays what the test made it.
    void Pass(const Entity& trigger, bool inside, float dt)
    {
        PlacePlayer(inside ? Get<Transform>(trigger).GetTranslation() : away);
        base.Run<Trigger>(dt);
        base.Run<CollisionSystem>(dt);
    }

    // Touches the trigger for one frame, then runs one frame away from it: every function without a delay runs.
    void TouchOnce(const Entity& trigger)
    {
        Frame(trigger, true);
        Frame(trigger, false);
    }

    // A trigger touched once whose functions are the members of `functions`; they have run when this returns.
    Entity Run(const std::string& functions) { return Run(functions, NextPlace()); }
    Entity Run(const std::string& functions, Vec2 at)
    {
        const Entity trigger = AddTrigger(functions, at);
        TouchOnce(trigger);
        return trigger;
    }

    EntityStore& Store() { return base.Store(); }
    template <typename C> C& Get(const Entity& e) { return *Store().GetComponent<C>(e); }
    BehaviorPlayer& Player() { return Get<BehaviorPlayer>(player); }
    Audio& Sound() { return *world.ecs->systemStore.GetSystem<Audio>(); }

    PlayerWorld base;
    TestWorld& world = base.world;
    Entity player = Entity::None();
    int placed = 0;
};

} // namespace kesto::test
