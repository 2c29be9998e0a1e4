#include "physics/CollisionSystem.h"

#include "PhysicsWorld.h"
#include "gameplay/Rotator.h"
#include "graphics/SpriteText.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kesto
{
namespace
{

// A component system that records the handler calls it receives and names whatever targets a test gives it.
template <int tag> class Probe : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
    void CollisionHandler(Entity self, Entity other) override
    {
        calls.emplace_back(self.name, other.name);
        if (journal)
        {
            journal->push_back(std::to_string(tag) + ":" + self.name + ">" + other.name);
        }
        if (onHit)
        {
            onHit(self, other);
        }
    }
    std::vector<ESystem*> CollisionTargets() override { return targets; }

    std::vector<ESystem*> targets;
    std::vector<std::pair<std::string, std::string>> calls; // (self, other) names
    std::function<void(const Entity&, const Entity&)> onHit;
    std::vector<std::string>* journal = nullptr; // calls of every probe in one sequence; may be null
};

using Seekers = Probe<0>;
using Targets = Probe<1>;
using OtherTargets = Probe<2>;
using Calls = std::vector<std::pair<std::string, std::string>>;

// Seekers are entities with a `Rotator`, targets entities with a `SpriteText`; both also sit in `Solid`, which
// names no targets of its own, so only the probes' handlers run.
class CollisionPass : public ::testing::Test
{
protected:
    void SetUp() override
    {
        using T = ComponentType;
        SystemStore& systems = world.Systems();
        systems.AddSystem(std::make_unique<Seekers>(), MakeSignature({T::Rotator, T::Collider}), {}, true, false);
        systems.AddSystem(std::make_unique<Targets>(), MakeSignature({T::SpriteText, T::Collider}), {}, true, false);
        systems.AddSystem(std::make_unique<OtherTargets>(), MakeSignature({T::SpriteText, T::Transform}), {}, true,
                          false);
        seekers = systems.GetSystem<Seekers>();
        targets = systems.GetSystem<Targets>();
        otherTargets = systems.GetSystem<OtherTargets>();
        seekers->targets = {targets};
    }

    Entity AddSeeker(const std::string& name, Vec2 position, Vec2 size = {10.0f, 10.0f})
    {
        const Entity entity = world.AddSolid(position, size, name);
        world.Store().AddComponent<Rotator>(entity);
        return entity;
    }

    Entity AddTarget(const std::string& name, Vec2 position, Vec2 size = {10.0f, 10.0f})
    {
        const Entity entity = world.AddSolid(position, size, name);
        world.Store().AddComponent<SpriteText>(entity);
        return entity;
    }

    test::PhysicsWorld world;
    Seekers* seekers = nullptr;
    Targets* targets = nullptr;
    OtherTargets* otherTargets = nullptr;
};

TEST_F(CollisionPass, TheTargetHandlerGetsTheSeekerThenTheTarget)
{
    AddSeeker("seeker", {0.0f, 0.0f});
    AddTarget("near", {5.0f, 5.0f});
    AddTarget("far", {100.0f, 0.0f});
    world.Collide();
    EXPECT_EQ(targets->calls, (Calls{{"seeker", "near"}}));
    EXPECT_TRUE(seekers->calls.empty());
}

TEST_F(CollisionPass, BoxesThatShareAnEdgeDoNotTouch)
{
    AddSeeker("seeker", {0.0f, 0.0f});
    AddTarget("right", {10.0f, 0.0f});
    AddTarget("above", {0.0f, 10.0f});
    AddTarget("corner", {-10.0f, -10.0f});
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());
}

TEST_F(CollisionPass, TargetSystemsAreVisitedInListOrderAndEntitiesInListOrder)
{
    std::vector<std::string> journal;
    targets->journal = &journal;
    otherTargets->journal = &journal;
    seekers->targets = {otherTargets, targets};
    AddSeeker("a", {0.0f, 0.0f});
    AddSeeker("b", {2.0f, 0.0f});
    AddTarget("t1", {1.0f, 0.0f});
    AddTarget("t2", {-1.0f, 0.0f});
    world.Collide();
    EXPECT_EQ(journal, (std::vector<std::string>{"2:a>t1", "2:a>t2", "1:a>t1", "1:a>t2", "2:b>t1", "2:b>t2", "1:b>t1",
                                                 "1:b>t2"}));
}

TEST_F(CollisionPass, AnEntityNeverCollidesWithItself)
{
    const Entity both = AddSeeker("both", {0.0f, 0.0f});
    world.Store().AddComponent<SpriteText>(both);
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());
}

TEST_F(CollisionPass, DisabledCollidersTakeNoPartEitherWay)
{
    const Entity seeker = AddSeeker("seeker", {0.0f, 0.0f});
    const Entity target = AddTarget("target", {0.0f, 0.0f});
    world.Get<Collider>(target).disabled = true;
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());

    world.Get<Collider>(target).disabled = false;
    world.Get<Collider>(seeker).disabled = true;
    world.Get<Collider>(seeker).contacts[2] = true;
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());
    EXPECT_FALSE(world.Get<Collider>(seeker).IsTouching(ContactSide::Ground));
}

TEST_F(CollisionPass, APointBoxNeverTouchesAnything)
{
    const Entity seeker = AddSeeker("seeker", {0.0f, 0.0f});
    AddTarget("around", {0.0f, 0.0f}, {100.0f, 100.0f});
    world.Get<Collider>(seeker).SetScale({0.0f, 0.0f});
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());
}

TEST_F(CollisionPass, EditorModeRefreshesBoxesButCallsNoHandler)
{
    const Entity seeker = AddSeeker("seeker", {0.0f, 0.0f});
    const Entity target = AddTarget("target", {0.0f, 0.0f});
    world.Systems().editorMode = true;
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());
    EXPECT_FALSE(world.Get<Collider>(seeker).boundsStale);
    EXPECT_FALSE(world.Get<Collider>(target).boundsStale);
}

TEST_F(CollisionPass, EditorModeLeavesActorsInsideSolids)
{
    world.AddSolid({0.0f, 0.0f}, {100.0f, 100.0f});
    const Entity actor = world.AddActor({0.0f, 0.0f}, {10.0f, 10.0f});
    world.Systems().editorMode = true;
    world.Collide();
    EXPECT_EQ(world.Position(actor), (Vec2{0.0f, 0.0f}));
    EXPECT_FALSE(world.Get<Collider>(actor).IsTouching(ContactSide::Ground));
}

TEST_F(CollisionPass, AnEntityWithoutTransformIsSkipped)
{
    const Entity ghost("ghost");
    world.Store().AddComponent<Rotator>(ghost);
    world.Store().AddComponent<Collider>(ghost);
    AddTarget("target", {0.0f, 0.0f});
    world.Collide();
    EXPECT_TRUE(targets->calls.empty());
}

TEST_F(CollisionPass, DestroyingTheTargetInsideTheHandlerKeepsThePassGoing)
{
    AddSeeker("a", {0.0f, 0.0f});
    AddSeeker("b", {0.0f, 0.0f});
    AddTarget("t1", {0.0f, 0.0f});
    AddTarget("t2", {0.0f, 0.0f});
    targets->onHit = [&](const Entity&, const Entity& other)
    {
        if (other.name == "t1")
        {
            world.Store().DestroyEntity(other);
        }
    };
    world.Collide();
    EXPECT_EQ(targets->calls, (Calls{{"a", "t1"}, {"a", "t2"}, {"b", "t2"}}));
}

TEST_F(CollisionPass, DestroyingTheSeekerInsideTheHandlerEndsItsTurnOnly)
{
    AddSeeker("a", {0.0f, 0.0f});
    AddSeeker("b", {0.0f, 0.0f});
    AddTarget("t1", {0.0f, 0.0f});
    AddTarget("t2", {0.0f, 0.0f});
    targets->onHit = [&](const Entity& self, const Entity&)
    {
        if (self.name == "a")
        {
            world.Store().DestroyEntity(self);
        }
    };
    world.Collide();
    EXPECT_EQ(targets->calls, (Calls{{"a", "t1"}, {"b", "t1"}, {"b", "t2"}}));
}

TEST_F(CollisionPass, DestroyingEveryoneInsideTheHandlerIsSafe)
{
    for (const char* name : {"a", "b", "c"})
    {
        AddSeeker(name, {0.0f, 0.0f});
        AddTarget(std::string("t") + name, {0.0f, 0.0f});
    }
    targets->onHit = [&](const Entity& self, const Entity& other)
    {
        world.Store().DestroyEntity(other);
        world.Store().DestroyEntity(self);
        for (const Entity& entity : world.Store().GetEntities({ComponentType::Rotator}))
        {
            world.Store().DestroyEntity(entity);
        }
    };
    world.Collide();
    EXPECT_EQ(targets->calls, (Calls{{"a", "ta"}}));
    EXPECT_TRUE(world.Store().GetEntities({ComponentType::Rotator}).empty());
}

TEST_F(CollisionPass, TargetsSpawnedInsideTheHandlerAreTestedInTheSamePass)
{
    AddSeeker("seeker", {0.0f, 0.0f});
    AddTarget("first", {0.0f, 0.0f});
    targets->onHit = [&](const Entity&, const Entity& other)
    {
        if (other.name == "first")
        {
            AddTarget("spawned", {1.0f, 1.0f});
        }
    };
    world.Collide();
    EXPECT_EQ(targets->calls, (Calls{{"seeker", "first"}, {"seeker", "spawned"}}));
}

TEST_F(CollisionPass, ATargetMovedByAHandlerIsSeenAtItsNewPlaceOnceRefreshed)
{
    AddSeeker("a", {0.0f, 0.0f});
    AddSeeker("b", {0.0f, 0.0f});
    const Entity target = AddTarget("target", {0.0f, 0.0f});
    targets->onHit = [&](const Entity&, const Entity& other)
    {
        world.Get<Transform>(other).SetTranslation({500.0f, 0.0f});
        world.Get<Collider>(other).boundsStale = true;
    };
    world.Collide();
    EXPECT_EQ(targets->calls, (Calls{{"a", "target"}}));
    EXPECT_FLOAT_EQ(world.Get<Collider>(target).WorldBox().left, 495.0f);
}

TEST_F(CollisionPass, ContactFlagsLastOnePass)
{
    world.AddSolid({0.0f, 0.0f}, {200.0f, 20.0f});
    const Entity actor = world.AddActor({0.0f, 0.0f}, {20.0f, 20.0f});
    world.Place(actor, {0.0f, 25.0f}, {0.0f, 15.0f});
    world.Collide();
    ASSERT_TRUE(world.Get<Collider>(actor).IsTouching(ContactSide::Ground));

    world.Place(actor, {0.0f, 20.0f}, {0.0f, 60.0f});
    world.Collide();
    EXPECT_FALSE(world.Get<Collider>(actor).IsTouching(ContactSide::Ground));
}

TEST_F(CollisionPass, ABodyRestingExactlyOnTheFloorIsNotInContact)
{
    world.AddSolid({0.0f, 0.0f}, {200.0f, 20.0f});
    const Entity actor = world.AddActor({0.0f, 20.0f}, {20.0f, 20.0f});
    world.Collide();
    EXPECT_FALSE(world.Get<Collider>(actor).IsTouching(ContactSide::Ground));
    EXPECT_EQ(world.Position(actor), (Vec2{0.0f, 20.0f}));
}

} // namespace
} // namespace kesto
