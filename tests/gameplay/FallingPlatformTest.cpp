#include "gameplay/ActorWorld.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

constexpr int idle = BehaviorFalling::idleState;
constexpr int falling = BehaviorFalling::fallingState;
constexpr int respawning = BehaviorFalling::respawningState;
constexpr int shaking = BehaviorFalling::shakingState;

// A platform whose top is at y = 0 under the origin, and nothing else to stand on.
struct FallingPlatforms : ::testing::Test
{
    FallingPlatforms() { platform = w.AddPlatform(0.0f, 0.0f); }

    BehaviorFalling& Platform() { return w.Get<BehaviorFalling>(platform); }
    int State() { return Platform().stateMachine.activeState; }
    float Top() { return w.Get<Transform>(platform).GetTranslation().y + 25.0f; }
    bool Grounded() { return w.Get<Collider>(w.player).IsTouching(ContactSide::Ground); }
    float PlayerBottom() { return w.Get<Transform>(w.player).GetTranslation().y - 50.0f; }

    test::ActorWorld w;
    Entity platform;
};

TEST_F(FallingPlatforms, WithoutAFallDelayItFallsTheFrameAfterTheLanding)
{
    w.PlacePlayer({0.0f, 50.0f});
    w.Step();
    ASSERT_TRUE(Grounded());
    EXPECT_EQ(Platform().stateMachine.requestedState, shaking);
    const float homeTop = Top();
    w.Step();
    EXPECT_EQ(State(), shaking);
    EXPECT_EQ(Platform().stateMachine.requestedState, falling);
    w.Step();
    EXPECT_EQ(State(), falling);
    EXPECT_EQ(w.Get<Rigidbody>(platform).velocity.y, -300.0f);
    EXPECT_EQ(w.Get<SoundEmitter>(platform).soundQueue.back().eventPath, "event:/SFX/Environment/PLATFORM_FALL");
    w.Step();
    EXPECT_NEAR(Top(), homeTop - 300.0f * test::ActorWorld::frame, 1e-3f);
}

TEST_F(FallingPlatforms, ShakesForTheFallDelayWithinTheJiggleAndThenFalls)
{
    Platform().timeTillFall = 0.5f;
    Platform().jiggleNoise = 0.2f;
    w.PlacePlayer({0.0f, 50.0f});
    w.Step();
    int shakingFrames = 0;
    while (State() != falling && shakingFrames < 100)
    {
        w.Step();
        const Vec2 offset = w.Get<Sprite>(platform).offset;
        if (State() == shaking && Platform().timeTillFall > -test::ActorWorld::frame)
        {
            ++shakingFrames;
            EXPECT_LE(std::abs(offset.x), 0.2f);
            EXPECT_LE(offset.y, 0.0f);
            EXPECT_GE(offset.y, -0.2f);
        }
        // The player stays on the shaking platform.
        EXPECT_TRUE(Grounded());
    }
    EXPECT_NEAR(shakingFrames * test::ActorWorld::frame, 0.5f, 2.5f * test::ActorWorld::frame);
    EXPECT_EQ(w.Get<Sprite>(platform).offset, (Vec2{}));
    // The delay is restored for the next landing.
    EXPECT_EQ(Platform().timeTillFall, 0.5f);
}

TEST_F(FallingPlatforms, APlayerRidingItDownStaysGroundedAndMovesWithIt)
{
    w.PlacePlayer({0.0f, 50.0f});
    w.Steps(3);
    ASSERT_EQ(State(), falling);
    for (int i = 0; i < 40; ++i)
    {
        w.Step();
        ASSERT_TRUE(Grounded()) << "frame " << i;
        EXPECT_NEAR(PlayerBottom(), Top(), 1e-2f) << "frame " << i;
        EXPECT_EQ(w.Get<BehaviorPlayer>(w.player).stateMachine.activeState, static_cast<int>(PlayerState::Normal));
    }
}

TEST_F(FallingPlatforms, ItStaysAwayWhileItsHomeBoxIsOccupiedAndReturnsAfterAFrameWithoutContact)
{
    w.PlacePlayer({0.0f, 50.0f});
    w.Steps(3);
    ASSERT_EQ(State(), falling);
    // Out of the way while it falls, then into its home box once it has dropped clear of it, until it is home.
    w.Get<Gravity>(w.player).amount = 0.0f;
    w.PlacePlayer({5000.0f, 50.0f});
    while (Top() > -150.0f)
    {
        w.Step();
    }
    for (int i = 0; i < 120 && State() != respawning; ++i)
    {
        w.PlacePlayer({0.0f, 0.0f});
        w.Step();
    }
    ASSERT_EQ(State(), respawning);
    EXPECT_NEAR(Top(), 0.0f, 1e-4f);
    for (int i = 0; i < 30; ++i)
    {
        w.PlacePlayer({0.0f, 0.0f});
        w.Step();
        EXPECT_EQ(State(), respawning) << "frame " << i;
        EXPECT_EQ(w.Get<Sprite>(platform).alpha, 0.0f);
        EXPECT_FALSE(Grounded());
        EXPECT_NEAR(w.Get<Transform>(w.player).GetTranslation().y, 0.0f, 1e-4f); // not pushed out: not there
    }
    w.PlacePlayer({5000.0f, 50.0f});
    w.Step();
    // The update after the contact only notes the box as clear; the next one brings the platform back.
    EXPECT_EQ(Platform().stateMachine.requestedState, respawning);
    w.Step();
    EXPECT_EQ(Platform().stateMachine.requestedState, idle);
    w.Step();
    EXPECT_EQ(State(), idle);
    EXPECT_EQ(w.Get<Sprite>(platform).alpha, 1.0f);
    EXPECT_EQ(Platform().homePosition, (Vec2{0.0f, -25.0f}));
}

TEST_F(FallingPlatforms, ASideTouchBlocksButDoesNotShake)
{
    w.base.SpawnFloor(-25.0f);
    // Standing on a floor beside the platform, whose top is above the player's feet.
    w.PlacePlayer({-200.0f, 25.0f});
    w.base.Press(GLFW_KEY_D);
    w.Steps(60);
    const float right = w.Get<Transform>(w.player).GetTranslation().x + 50.0f;
    EXPECT_NEAR(right, -100.0f, 1e-3f);
    EXPECT_TRUE(w.Get<Collider>(w.player).IsTouching(ContactSide::Right));
    EXPECT_EQ(State(), idle);
    EXPECT_EQ(Platform().stateMachine.requestedState, idle);
}

} // namespace
} // namespace kesto
