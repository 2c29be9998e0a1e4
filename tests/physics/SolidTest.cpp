#include "physics/Solid.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

constexpr Vec2 moverSize{20.0f, 20.0f};

class SolidResolution : public ::testing::Test
{
protected:
    Solid& System() { return *world.Systems().GetSystem<Solid>(); }
    Collider& ColliderOf(const Entity& entity) { return world.Get<Collider>(entity); }

    test::PhysicsWorld world;
};

TEST_F(SolidResolution, LandingPutsTheBottomExactlyOnTheFloorAndSetsTheGroundFlag)
{
    world.AddSolid({0.0f, 0.0f}, {200.0f, 20.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {0.0f, 25.0f}, {3.0f, 15.0f});
    world.Get<Rigidbody>(mover).velocity = {30.0f, -100.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{3.0f, 20.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{30.0f, 0.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ground));
    EXPECT_FALSE(ColliderOf(mover).IsTouching(ContactSide::Left));
    EXPECT_EQ(ColliderOf(mover).contactCoordinates[2], 20.0f);
    EXPECT_EQ(System().lastSide, ContactSide::Ground);
    EXPECT_FALSE(ColliderOf(mover).embedded);
}

TEST_F(SolidResolution, WallOnTheLeftStopsOnlyTheHorizontalMotion)
{
    world.AddSolid({-50.0f, 0.0f}, {20.0f, 200.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {-25.0f, 0.0f}, {-35.0f, 4.0f});
    world.Get<Rigidbody>(mover).velocity = {-100.0f, 40.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{-30.0f, 4.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{0.0f, 40.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Left));
    EXPECT_EQ(System().lastSide, ContactSide::Left);
}

TEST_F(SolidResolution, WallOnTheRightStopsOnlyTheHorizontalMotion)
{
    world.AddSolid({50.0f, 0.0f}, {20.0f, 200.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {25.0f, 0.0f}, {35.0f, -4.0f});
    world.Get<Rigidbody>(mover).velocity = {100.0f, -40.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{30.0f, -4.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{0.0f, -40.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Right));
}

TEST_F(SolidResolution, HeadBumpStopsTheRise)
{
    world.AddSolid({0.0f, 100.0f}, {200.0f, 20.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {0.0f, 75.0f}, {0.0f, 85.0f});
    world.Get<Rigidbody>(mover).velocity = {10.0f, 500.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{0.0f, 80.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{10.0f, 0.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ceiling));
    EXPECT_FALSE(ColliderOf(mover).IsTouching(ContactSide::Ground));
}

TEST_F(SolidResolution, AMoverAlreadyInsideIsPushedOntoTheTopWhateverItsDirection)
{
    const Entity block = world.AddSolid({0.0f, 0.0f}, {100.0f, 100.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {10.0f, -30.0f}, {-5.0f, -35.0f});
    world.Get<Rigidbody>(mover).velocity = {-150.0f, -50.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{-5.0f, 60.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{-150.0f, 0.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ground));
    EXPECT_TRUE(ColliderOf(mover).embedded);
    EXPECT_TRUE(ColliderOf(block).embedded);
}

TEST_F(SolidResolution, EmbeddedClearsOnAnOrdinaryContactWithACleanSolid)
{
    const Entity block = world.AddSolid({0.0f, 0.0f}, {100.0f, 100.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {0.0f, 0.0f}, {0.0f, 0.0f});
    world.Collide();
    ASSERT_TRUE(ColliderOf(mover).embedded);

    // Landing again on the block it was buried in keeps the flag: that solid is marked too.
    world.Place(mover, {0.0f, 65.0f}, {0.0f, 55.0f});
    world.Collide();
    EXPECT_TRUE(ColliderOf(mover).embedded);

    world.Store().DestroyEntity(block);
    world.AddSolid({0.0f, 0.0f}, {100.0f, 100.0f});
    world.Place(mover, {0.0f, 65.0f}, {0.0f, 55.0f});
    world.Collide();
    EXPECT_FALSE(ColliderOf(mover).embedded);
}

TEST_F(SolidResolution, DiagonalEntryPastACornerResolvesVertically)
{
    world.AddSolid({50.0f, 50.0f}, {100.0f, 100.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    // From above-left of the block's top-left corner into it: outside on the left and above at once.
    world.Place(mover, {-20.0f, 120.0f}, {5.0f, 95.0f});
    world.Get<Rigidbody>(mover).velocity = {250.0f, -250.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{5.0f, 110.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{250.0f, 0.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ground));
    EXPECT_FALSE(ColliderOf(mover).IsTouching(ContactSide::Right));
}

TEST_F(SolidResolution, DiagonalEntryFromBelowACornerBumpsTheHead)
{
    world.AddSolid({50.0f, 50.0f}, {100.0f, 100.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {120.0f, -20.0f}, {95.0f, 5.0f});
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{95.0f, -10.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ceiling));
}

// Two floor tiles side by side, tops at 10 and 20, with the mover straddling the seam.
class TwoFloorHeights : public SolidResolution, public ::testing::WithParamInterface<bool>
{
};

TEST_P(TwoFloorHeights, TheMoverStandsOnTheHigherTileInEitherOrder)
{
    const bool lowFirst = GetParam();
    const Vec2 lowCentre{-50.0f, 0.0f};
    const Vec2 highCentre{50.0f, 10.0f};
    world.AddSolid(lowFirst ? lowCentre : highCentre, {100.0f, 20.0f});
    world.AddSolid(lowFirst ? highCentre : lowCentre, {100.0f, 20.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {0.0f, 40.0f}, {0.0f, 15.0f});
    world.Get<Rigidbody>(mover).velocity = {0.0f, -500.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{0.0f, 30.0f}));
    EXPECT_EQ(ColliderOf(mover).contactCoordinates[2], 30.0f);
    EXPECT_EQ(world.Velocity(mover).y, 0.0f);
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ground));
}

INSTANTIATE_TEST_SUITE_P(SolidResolution, TwoFloorHeights, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param)
                         { return param.param ? "LowerTileFirst" : "HigherTileFirst"; });

TEST_F(SolidResolution, TheOuterOfTwoWallsHoldsTheMover)
{
    for (bool outerFirst : {true, false})
    {
        SCOPED_TRACE(outerFirst ? "outer wall first" : "inner wall first");
        test::PhysicsWorld fresh;
        const Vec2 outer{-30.0f, 0.0f}; // right edge at -20
        const Vec2 inner{-40.0f, 0.0f}; // right edge at -30
        fresh.AddSolid(outerFirst ? outer : inner, {20.0f, 200.0f});
        fresh.AddSolid(outerFirst ? inner : outer, {20.0f, 200.0f});
        const Entity mover = fresh.AddActor({0.0f, 0.0f}, moverSize);
        fresh.Place(mover, {0.0f, 0.0f}, {-25.0f, 0.0f});
        fresh.Collide();
        EXPECT_EQ(fresh.Position(mover).x, -10.0f);
    }
}

TEST_F(SolidResolution, APressIntoAFloorAndWallCornerSetsBothFlags)
{
    world.AddSolid({0.0f, -10.0f}, {200.0f, 20.0f});
    world.AddSolid({-60.0f, 50.0f}, {20.0f, 100.0f});
    const Entity mover = world.AddActor({0.0f, 0.0f}, moverSize);
    world.Place(mover, {-35.0f, 10.0f}, {-45.0f, 5.0f});
    world.Get<Rigidbody>(mover).velocity = {-60.0f, -30.0f};
    world.Collide();

    EXPECT_EQ(world.Position(mover), (Vec2{-40.0f, 10.0f}));
    EXPECT_EQ(world.Velocity(mover), (Vec2{0.0f, 0.0f}));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Ground));
    EXPECT_TRUE(ColliderOf(mover).IsTouching(ContactSide::Left));
}

TEST_F(SolidResolution, ResolveWorksWithoutARigidbodyAndIgnoresIncompleteEntities)
{
    const Entity block = world.AddSolid({0.0f, 0.0f}, {100.0f, 100.0f});
    const Entity loose = world.AddSolid({0.0f, 0.0f}, moverSize, "loose");
    world.Get<Transform>(loose).SetPreviousTranslation({0.0f, 80.0f});
    System().Resolve(loose, block);
    EXPECT_EQ(world.Position(loose), (Vec2{0.0f, 60.0f}));

    const Entity bare("bare");
    world.Store().AddComponent<Rigidbody>(bare);
    System().lastSide = ContactSide::None;
    System().Resolve(bare, block);
    System().Resolve(loose, bare);
    EXPECT_EQ(System().lastSide, ContactSide::None);
    EXPECT_EQ(world.Position(loose), (Vec2{0.0f, 60.0f}));
}

TEST_F(SolidResolution, ARestingBodyStaysGroundedFrameAfterFrame)
{
    world.AddSolid({0.0f, 0.0f}, {400.0f, 20.0f});
    const Entity mover = world.AddActor({0.0f, 200.0f}, moverSize);
    world.Store().AddComponent<Gravity>(mover);
    world.Get<Rigidbody>(mover).velocity.x = 12.0f;
    constexpr float dt = 1.0f / 60.0f;
    int groundedFrames = 0;
    for (int frame = 0; frame < 120; ++frame)
    {
        world.Step(dt);
        groundedFrames += world.Get<Collider>(mover).IsTouching(ContactSide::Ground) ? 1 : 0;
    }
    EXPECT_FLOAT_EQ(world.Position(mover).y, 20.0f);
    EXPECT_EQ(world.Velocity(mover).y, 0.0f);
    EXPECT_FLOAT_EQ(world.Velocity(mover).x, 12.0f);
    EXPECT_TRUE(world.Get<Collider>(mover).IsTouching(ContactSide::Ground));
    // About 0.6 s of falling from 200, then grounded in every later frame.
    EXPECT_GT(groundedFrames, 70);
}

} // namespace
} // namespace kesto
