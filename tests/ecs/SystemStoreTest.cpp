#include "ecs/SystemStore.h"

#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "gameplay/BehaviorFalling.h"
#include "gameplay/BehaviorFallingSystem.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "gameplay/CheckpointSystem.h"
#include "gameplay/RaySystem.h"
#include "gameplay/Trigger.h"
#include "graphics/Sprite.h"
#include "physics/Actor.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"
#include "physics/Solid.h"
#include "support/TestWorld.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <typeinfo>

namespace kesto
{
namespace
{

std::vector<std::uint32_t> Ids(const EntityList& list)
{
    std::vector<std::uint32_t> ids;
    for (const Entity& e : list.ToVector())
    {
        ids.push_back(e.id);
    }
    return ids;
}

class GameSystems : public ::testing::Test
{
protected:
    void SetUp() override { world.Init(); }

    template <typename S> std::vector<std::uint32_t> ListOf() { return Ids(world.Systems().GetEntityList<S>()); }

    test::TestWorld world;
    EntityStore& store = world.Store();
};

TEST_F(GameSystems, RigidbodyMovesASolidIntoActor)
{
    const Entity e;
    store.AddComponent<Transform>(e);
    EXPECT_TRUE(ListOf<Solid>().empty());
    store.AddComponent<Collider>(e);
    EXPECT_EQ(ListOf<Solid>(), std::vector<std::uint32_t>{e.id});
    store.AddComponent<Rigidbody>(e);
    EXPECT_TRUE(ListOf<Solid>().empty());
    EXPECT_EQ(ListOf<Actor>(), std::vector<std::uint32_t>{e.id});
}

TEST_F(GameSystems, RemovingBehaviorFallingPutsTheBodyIntoActor)
{
    const Entity e;
    store.AddComponent<Transform>(e);
    store.AddComponent<Collider>(e);
    store.AddComponent<Rigidbody>(e);
    store.AddComponent<BehaviorFalling>(e);
    EXPECT_EQ(ListOf<BehaviorFallingSystem>(), std::vector<std::uint32_t>{e.id});
    EXPECT_TRUE(ListOf<Actor>().empty());
    store.RemoveComponent<BehaviorFalling>(e);
    EXPECT_TRUE(ListOf<BehaviorFallingSystem>().empty());
    EXPECT_EQ(ListOf<Actor>(), std::vector<std::uint32_t>{e.id});
}

TEST_F(GameSystems, DestroyLeavesNoListHoldingTheEntity)
{
    const Entity e;
    store.AddComponent<Transform>(e);
    store.AddComponent<Collider>(e);
    store.AddComponent<Sprite>(e);
    store.DestroyEntity(e);
    for (const auto& entry : world.Systems().Entries())
    {
        EXPECT_FALSE(entry->entities->Contains(e.id)) << typeid(*entry->system).name();
    }
}

TEST_F(GameSystems, ListsKeepTheOrderInWhichEntitiesCameToMatch)
{
    const Entity a;
    const Entity b;
    const Entity c;
    for (const Entity& e : {a, b, c})
    {
        store.AddComponent<Transform>(e);
        store.AddComponent<Collider>(e);
    }
    store.RemoveComponent<Collider>(a);
    store.AddComponent<Collider>(a);
    EXPECT_EQ(ListOf<Solid>(), (std::vector<std::uint32_t>{b.id, c.id, a.id}));
}

TEST_F(GameSystems, EditorModeRunsOnlyTheEditorSystems)
{
    std::vector<std::string> inEditor;
    std::vector<std::string> inGame;
    for (const auto& entry : world.Systems().Entries())
    {
        const std::string name = typeid(*entry->system).name();
        if (entry->runInEditor)
        {
            inEditor.push_back(name);
        }
        if (entry->runInGame)
        {
            inGame.push_back(name);
        }
    }
    EXPECT_EQ(world.Systems().Entries().size(), 23u);
    EXPECT_EQ(inEditor.size(), 5u);
    EXPECT_EQ(inGame.size(), 22u);
}

TEST_F(GameSystems, ColliderSystemsComeInRegistrationOrder)
{
    const std::vector<ESystem*> found =
        world.Systems().GetSystemsWithComponents(MakeSignature({ComponentType::Collider}));
    SystemStore& s = world.Systems();
    const std::vector<ESystem*> expected = {s.GetSystem<BehaviorPlayerSystem>(),
                                            s.GetSystem<Trigger>(),
                                            s.GetSystem<CheckpointSystem>(),
                                            s.GetSystem<Actor>(),
                                            s.GetSystem<Solid>(),
                                            s.GetSystem<RaySystem>(),
                                            s.GetSystem<BehaviorFallingSystem>()};
    EXPECT_EQ(found, expected);
}

TEST(Signature, IndexBeyondTheTableIsAnError)
{
    EXPECT_THROW(MakeSignature({static_cast<ComponentType>(29)}), std::out_of_range);
}

// A system over Transform whose update runs a callback per entity.
class Walker : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float) override
    {
        ++updates;
        for (Entity& e : entities)
        {
            visited.push_back(e.id);
            if (onVisit)
            {
                onVisit(e);
            }
        }
    }

    int updates = 0;
    std::vector<std::uint32_t> visited;
    std::function<void(Entity&)> onVisit;
};

class EditorOnly : public Walker
{
};

class StandaloneStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        entities.systemStore = &systems;
        systems.entityStore = &entities;
        systems.AddSystem(std::make_unique<Walker>(), MakeSignature({ComponentType::Transform}), {}, true, false);
        systems.AddSystem(std::make_unique<EditorOnly>(), MakeSignature({ComponentType::Transform}), {}, false, true);
        walker = systems.GetSystem<Walker>();
        for (int i = 0; i < 5; ++i)
        {
            population.emplace_back();
            entities.AddComponent<Transform>(population.back());
        }
    }

    SystemStore systems;
    EntityStore entities;
    Walker* walker = nullptr;
    std::vector<Entity> population;
};

TEST_F(StandaloneStore, DestroyingLaterEntitiesDuringTheWalkSkipsOnlyThem)
{
    walker->onVisit = [&](Entity& e)
    {
        if (e == population[1])
        {
            entities.DestroyEntity(population[2]);
            entities.DestroyEntity(population[1]); // itself
        }
    };
    systems.UpdateAll(0.016f);
    const std::vector<std::uint32_t> expected = {population[0].id, population[1].id, population[3].id,
                                                 population[4].id};
    EXPECT_EQ(walker->visited, expected);
    EXPECT_EQ(systems.GetEntityList<Walker>().size(), 3u);
}

TEST_F(StandaloneStore, EntitiesAddedDuringTheWalkAreVisitedAndReferencesStayValid)
{
    std::vector<Entity> spawned;
    walker->onVisit = [&](Entity& e)
    {
        const std::uint32_t before = e.id;
        if (spawned.size() < 100)
        {
            spawned.emplace_back();
            entities.AddComponent<Transform>(spawned.back());
        }
        EXPECT_EQ(e.id, before);
    };
    systems.UpdateAll(0.016f);
    EXPECT_EQ(walker->visited.size(), 105u);
}

TEST_F(StandaloneStore, LosingAComponentDuringTheWalkRemovesOnlyThatEntity)
{
    walker->onVisit = [&](Entity& e)
    {
        if (e == population[0])
        {
            entities.RemoveComponent<Transform>(population[3]);
        }
    };
    systems.UpdateAll(0.016f);
    EXPECT_EQ(walker->visited.size(), 4u);
    walker->visited.clear();
    walker->onVisit = nullptr;
    systems.UpdateAll(0.016f);
    EXPECT_EQ(walker->visited.size(), 4u);
}

TEST_F(StandaloneStore, AddingASystemTypeTwiceIsAnErrorAndKeepsTheFirst)
{
    auto second = std::make_unique<Walker>();
    const Walker* secondWalker = second.get();
    try
    {
        systems.AddSystem(std::move(second), MakeSignature({ComponentType::Sprite}), {}, true, true);
        FAIL() << "no error";
    }
    catch (const DuplicateSystemError& error)
    {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("SystemStore::AddSystem: ", 0), 0u) << message;
        EXPECT_NE(message.find("registered once"), std::string::npos) << message;
    }
    EXPECT_EQ(systems.Entries().size(), 2u);
    EXPECT_EQ(systems.GetSystem<Walker>(), walker);
    EXPECT_NE(systems.GetSystem<Walker>(), secondWalker);
    EXPECT_EQ(systems.GetEntityList<Walker>().size(), 5u);
}

TEST_F(StandaloneStore, ModeSelectsWhichSystemsRun)
{
    systems.UpdateAll(0.016f);
    EXPECT_EQ(walker->updates, 1);
    EXPECT_EQ(systems.GetSystem<EditorOnly>()->updates, 0);
    systems.editorMode = true;
    systems.UpdateAll(0.016f);
    EXPECT_EQ(walker->updates, 1);
    EXPECT_EQ(systems.GetSystem<EditorOnly>()->updates, 1);
}

// Records the steps it is updated with, into a journal shared with other recorders.
template <int N> class StepRecorder : public ESystem
{
public:
    explicit StepRecorder(std::vector<std::string>& sharedJournal) : journal(sharedJournal) {}
    void Init() override {}
    void Update(EntityList&, float dt) override
    {
        steps.push_back(dt);
        journal.push_back(std::to_string(N));
    }

    std::vector<float> steps;
    std::vector<std::string>& journal;
};

TEST(SystemStoreSubsteps, SplitTheFrameIntoEqualPartsAndRunPerFrameSystemsOnceAfterThem)
{
    struct Case
    {
        float dt;
        int substeps;
    };
    const Case cases[] = {
        {0.0f, 1},          // a frozen or paused frame still runs one substep of 0
        {1.0f / 240.0f, 1}, // shorter than a substep
        {1.0f / 144.0f, 1}, //
        {1.0f / 120.0f, 1}, // exactly one
        {1.0f / 60.0f, 2},  // exactly two, whatever the rounding
        {1.0f / 30.0f, 4},  //
        {1.0f / 16.0f, 8},  // 7.5 parts round up
        {0.1f, 12},         // the clamped step of a slow machine
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> journal;
        SystemStore systems;
        EntityStore entities;
        entities.systemStore = &systems;
        systems.entityStore = &entities;
        systems.AddSystem(std::make_unique<StepRecorder<1>>(journal), {}, {}, true, false, SystemRate::PerSubstep);
        systems.AddSystem(std::make_unique<StepRecorder<2>>(journal), {}, {}, true, false, SystemRate::PerFrame);
        systems.AddSystem(std::make_unique<StepRecorder<3>>(journal), {}, {}, true, false, SystemRate::PerSubstep);
        std::vector<bool> repeated;
        systems.beginPass = [&repeated](bool repeatedSubstep) { repeated.push_back(repeatedSubstep); };

        systems.UpdateAll(c.dt);

        const auto count = static_cast<std::size_t>(c.substeps);
        const auto& substepped = systems.GetSystem<StepRecorder<1>>()->steps;
        ASSERT_EQ(substepped.size(), count) << "dt " << c.dt;
        EXPECT_EQ(systems.GetSystem<StepRecorder<3>>()->steps, substepped) << "dt " << c.dt;
        float sum = 0.0f;
        for (float step : substepped)
        {
            EXPECT_EQ(step, substepped.front()) << "dt " << c.dt;
            EXPECT_LE(step, systems.maxSubstep * 1.001f) << "dt " << c.dt;
            sum += step;
        }
        EXPECT_NEAR(sum, c.dt, 1e-6f);
        EXPECT_EQ(systems.GetSystem<StepRecorder<2>>()->steps, std::vector<float>{c.dt});
        // Substeps in registration order, then the per-frame pass.
        std::vector<std::string> expected;
        for (std::size_t k = 0; k < count; ++k)
        {
            expected.insert(expected.end(), {"1", "3"});
        }
        expected.push_back("2");
        EXPECT_EQ(journal, expected) << "dt " << c.dt;
        // Only the substeps after the first repeat the frame; the per-frame pass sees it fresh.
        std::vector<bool> expectedRepeats(count + 1, true);
        expectedRepeats.front() = false;
        expectedRepeats.back() = false;
        EXPECT_EQ(repeated, expectedRepeats) << "dt " << c.dt;
        EXPECT_EQ(systems.Split().count, c.substeps);
        EXPECT_EQ(systems.Split().frameDt, c.dt);
    }
}

TEST_F(StandaloneStore, ManyRemovalsKeepTheListCorrect)
{
    std::vector<Entity> many;
    for (int i = 0; i < 1000; ++i)
    {
        many.emplace_back();
        entities.AddComponent<Transform>(many.back());
    }
    for (std::size_t i = 0; i < many.size(); i += 2)
    {
        entities.DestroyEntity(many[i]);
    }
    const std::vector<Entity> left = systems.GetEntityList<Walker>().ToVector();
    ASSERT_EQ(left.size(), 5u + 500u);
    for (std::size_t i = 0; i < 500; ++i)
    {
        EXPECT_EQ(left[5 + i], many[2 * i + 1]);
    }
}

TEST_F(StandaloneStore, UnregisteredSystemLookupIsAnError)
{
    EXPECT_THROW(systems.GetSystem<Solid>(), std::out_of_range);
}

} // namespace
} // namespace kesto
