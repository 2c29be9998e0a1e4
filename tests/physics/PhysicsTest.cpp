#include "physics/Physics.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class PhysicsStep : public ::testing::Test
{
protected:
    // A body with a rigidbody and a transform only; no collider, so nothing but integration touches it.
    Entity AddBody(Vec2 position)
    {
        const Entity entity("body");
        world.Store().AddComponent<Transform>(entity)->SetTranslation(position);
        world.Store().AddComponent<Rigidbody>(entity);
        return entity;
    }

    test::PhysicsWorld world;
};

TEST_F(PhysicsStep, AZeroStepKeepsThePositionButRecordsItAsPrevious)
{
    const Entity body = AddBody({5.0f, 7.0f});
    world.Get<Rigidbody>(body).velocity = {100.0f, 100.0f};
    world.Integrate(0.0f);
    EXPECT_EQ(world.Position(body), (Vec2{5.0f, 7.0f}));
    EXPECT_EQ(world.Get<Transform>(body).GetPreviousTranslation(), (Vec2{5.0f, 7.0f}));
}

TEST_F(PhysicsStep, GravityFromRestIsSemiImplicit)
{
    const Entity body = AddBody({0.0f, 0.0f});
    world.Store().AddComponent<Gravity>(body);
    world.Integrate(0.1f);
    EXPECT_FLOAT_EQ(world.Velocity(body).y, -100.0f);
    EXPECT_FLOAT_EQ(world.Position(body).y, -10.0f);
    EXPECT_FLOAT_EQ(world.Get<Rigidbody>(body).acceleration.y, -1000.0f);
    EXPECT_EQ(world.Velocity(body).x, 0.0f);
}

TEST_F(PhysicsStep, PreviousPositionIsTheStartOfEachStep)
{
    const Entity body = AddBody({0.0f, 0.0f});
    world.Get<Rigidbody>(body).velocity = {10.0f, -20.0f};
    world.Integrate(0.5f);
    world.Integrate(0.5f);
    EXPECT_EQ(world.Get<Transform>(body).GetPreviousTranslation(), (Vec2{5.0f, -10.0f}));
    EXPECT_EQ(world.Position(body), (Vec2{10.0f, -20.0f}));
}

TEST_F(PhysicsStep, ZeroGravityScaleKeepsTheVerticalVelocity)
{
    const Entity body = AddBody({0.0f, 0.0f});
    world.Store().AddComponent<Gravity>(body)->scale = 0.0f;
    auto& rigidbody = world.Get<Rigidbody>(body);
    rigidbody.acceleration.y = -50.0f;
    rigidbody.velocity = {0.0f, 300.0f};
    world.Integrate(0.1f);
    EXPECT_EQ(rigidbody.acceleration.y, 0.0f);
    EXPECT_FLOAT_EQ(rigidbody.velocity.y, 300.0f);
    EXPECT_FLOAT_EQ(world.Position(body).y, 30.0f);
}

TEST_F(PhysicsStep, GravityScaleMultipliesTheAmountAndLeavesXAlone)
{
    const Entity body = AddBody({0.0f, 0.0f});
    auto* gravity = world.Store().AddComponent<Gravity>(body);
    gravity->amount = 200.0f;
    gravity->scale = 1.5f;
    world.Get<Rigidbody>(body).acceleration.x = 7.0f;
    world.Integrate(1.0f);
    EXPECT_FLOAT_EQ(world.Get<Rigidbody>(body).acceleration.y, -300.0f);
    EXPECT_FLOAT_EQ(world.Get<Rigidbody>(body).acceleration.x, 7.0f);
    EXPECT_FLOAT_EQ(world.Velocity(body).x, 7.0f);
}

TEST_F(PhysicsStep, WithoutGravityTheLastWrittenAccelerationStays)
{
    const Entity body = AddBody({0.0f, 0.0f});
    world.Get<Rigidbody>(body).acceleration = {2.0f, 4.0f};
    world.Integrate(0.5f);
    world.Integrate(0.5f);
    EXPECT_EQ(world.Get<Rigidbody>(body).acceleration, (Vec2{2.0f, 4.0f}));
    EXPECT_FLOAT_EQ(world.Velocity(body).x, 2.0f);
    EXPECT_FLOAT_EQ(world.Velocity(body).y, 4.0f);
    EXPECT_FLOAT_EQ(world.Position(body).x, 0.5f + 1.0f);
}

TEST_F(PhysicsStep, AngularVelocityTurnsTheTransform)
{
    const Entity body = AddBody({0.0f, 0.0f});
    world.Get<Transform>(body).SetRotation(1.0f);
    world.Get<Rigidbody>(body).angularVelocity = 2.0f;
    world.Integrate(0.25f);
    EXPECT_FLOAT_EQ(world.Get<Transform>(body).GetRotation(), 1.5f);
}

TEST_F(PhysicsStep, MovingMarksTheColliderBoundsStale)
{
    const Entity actor = world.AddActor({0.0f, 0.0f}, {10.0f, 10.0f});
    auto& collider = world.Get<Collider>(actor);
    collider.Refresh(world.Get<Transform>(actor));
    ASSERT_FALSE(collider.boundsStale);
    world.Get<Rigidbody>(actor).velocity = {100.0f, 0.0f};
    world.Integrate(0.1f);
    EXPECT_TRUE(collider.boundsStale);
    collider.Refresh(world.Get<Transform>(actor));
    EXPECT_FLOAT_EQ(collider.WorldBox().left, 5.0f);
}

TEST_F(PhysicsStep, OnlyBodiesWithRigidbodyAndTransformMove)
{
    const Entity solid = world.AddSolid({0.0f, 0.0f}, {10.0f, 10.0f});
    world.Get<Transform>(solid).SetPreviousTranslation({3.0f, 3.0f});
    world.Integrate(0.1f);
    EXPECT_EQ(world.Get<Transform>(solid).GetPreviousTranslation(), (Vec2{3.0f, 3.0f}));
}

} // namespace
} // namespace kesto
