#include "gameplay/BehaviorFalling.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::ReadJson;

TEST(BehaviorFalling, StartsIdleWithZeroTunables)
{
    const BehaviorFalling platform;
    EXPECT_EQ(platform.stateMachine.requestedState, BehaviorFalling::idleState);
    EXPECT_EQ(platform.jiggleNoise, 0.0f);
    EXPECT_EQ(platform.fallSpeed, 0.0f);
    EXPECT_EQ(platform.timeTillRespawn, 0.0f);
    EXPECT_EQ(platform.timeTillFall, 0.0f);
    EXPECT_FALSE(platform.clearSinceLastUpdate);
}

TEST(BehaviorFalling, ReadsTunablesAndSkipsIntegerLiterals)
{
    BehaviorFalling platform;
    ReadJson(platform, R"({"JiggleNoise": 4.5, "fallSpeed": -800.0, "TimeTillRespawn": 3, "TimeTillFall": 0.75})");
    EXPECT_EQ(platform.jiggleNoise, 4.5f);
    EXPECT_EQ(platform.fallSpeed, -800.0f);
    EXPECT_EQ(platform.timeTillRespawn, 0.0f);
    EXPECT_EQ(platform.timeTillFall, 0.75f);
}

TEST(BehaviorFalling, RoundTripAndEqualityCoverTheFourTunables)
{
    BehaviorFalling platform;
    platform.jiggleNoise = 2.0f;
    platform.fallSpeed = -300.0f;
    platform.timeTillRespawn = 4.0f;
    platform.timeTillFall = 0.5f;
    platform.homePosition = {10.0f, 20.0f};
    const BehaviorFalling copy = test::RoundTrip(platform);
    EXPECT_TRUE(copy.Equals(platform));
    EXPECT_EQ(copy.homePosition, (Vec2{})); // run-time state is not saved

    BehaviorFalling shaking = platform;
    shaking.savedTimeTillFall = 9.0f;
    shaking.stateMachine.requestedState = BehaviorFalling::shakingState;
    EXPECT_TRUE(shaking.Equals(platform));
    shaking.timeTillFall = 0.25f;
    EXPECT_FALSE(shaking.Equals(platform));
}

TEST(BehaviorFalling, CloneCopiesEveryField)
{
    BehaviorFalling platform;
    platform.fallSpeed = -5.0f;
    platform.savedTimeTillRespawn = 1.5f;
    platform.clearSinceLastUpdate = true;
    platform.homePosition = {1.0f, 2.0f};
    platform.stateMachine.requestedState = BehaviorFalling::fallingState;
    const std::unique_ptr<Component> cloned = platform.Clone();
    const auto& copy = static_cast<const BehaviorFalling&>(*cloned);
    EXPECT_EQ(copy.fallSpeed, -5.0f);
    EXPECT_EQ(copy.savedTimeTillRespawn, 1.5f);
    EXPECT_TRUE(copy.clearSinceLastUpdate);
    EXPECT_EQ(copy.homePosition, (Vec2{1.0f, 2.0f}));
    EXPECT_EQ(copy.stateMachine.requestedState, BehaviorFalling::fallingState);
}

} // namespace
} // namespace kesto
