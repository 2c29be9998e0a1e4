#include "physics/Actor.h"

#include "PhysicsWorld.h"
#include "gameplay/BehaviorFallingSystem.h"
#include "gameplay/BehaviorFlying.h"
#include "physics/Solid.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class ActorTargets : public ::testing::Test
{
protected:
    test::PhysicsWorld world;
};

TEST_F(ActorTargets, AreFallingPlatformsThenSolids)
{
    SystemStore& systems = world.Systems();
    const std::vector<ESystem*> expected{systems.GetSystem<BehaviorFallingSystem>(), systems.GetSystem<Solid>()};
    EXPECT_EQ(systems.GetSystem<Actor>()->CollisionTargets(), expected);
}

TEST_F(ActorTargets, FlyingBodiesAreNotPushedOutOfSolids)
{
    world.AddSolid({0.0f, 0.0f}, {100.0f, 100.0f});
    const Entity flyer = world.AddActor({0.0f, 0.0f}, {20.0f, 20.0f}, "flyer");
    world.Store().AddComponent<BehaviorFlying>(flyer);
    world.Collide();
    EXPECT_EQ(world.Position(flyer), (Vec2{0.0f, 0.0f}));
    EXPECT_FALSE(world.Get<Collider>(flyer).IsTouching(ContactSide::Ground));
}

TEST_F(ActorTargets, ABodyIsNotASolidForAnotherBody)
{
    const Entity lower = world.AddActor({0.0f, 0.0f}, {20.0f, 20.0f}, "lower");
    const Entity upper = world.AddActor({0.0f, 10.0f}, {20.0f, 20.0f}, "upper");
    world.Collide();
    EXPECT_EQ(world.Position(lower), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(world.Position(upper), (Vec2{0.0f, 10.0f}));
}

} // namespace
} // namespace kesto
