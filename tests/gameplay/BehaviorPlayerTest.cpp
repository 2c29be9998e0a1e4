#include "gameplay/BehaviorPlayer.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

void Apply(BehaviorPlayer& player, const std::string& json)
{
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(json, "inline", nullptr));
    player.Read(reader, nullptr);
}

TEST(BehaviorPlayer, ReadsItsKeysWithTheirSpelling)
{
    BehaviorPlayer player;
    Apply(player, R"({"groundAccceleration": 1200.0, "airAccceleration": 800, "cameraOffset": [0, 150],
                      "m_timeSlowBarArchetype": "TimeSlowBar", "dashMomentum": 0.25})");
    EXPECT_EQ(player.groundAcceleration, 1200.0f);
    EXPECT_EQ(player.airAcceleration, 0.0f); // integer literal: not a float
    EXPECT_EQ(player.cameraOffset, (Vec2{0.0f, 150.0f}));
    EXPECT_EQ(player.timeSlowBarArchetype, "TimeSlowBar");
    EXPECT_EQ(player.dashMomentum, 0.25f);
    EXPECT_EQ(player.runSpeed, 200.0f);
}

TEST(BehaviorPlayer, WriteThenReadGivesAnEqualPlayer)
{
    BehaviorPlayer original;
    original.runSpeed = 420.0f;
    original.landingVFXArchetype = "LandingDust";
    original.compassOffset = {3.0f, -4.0f};
    original.respawnDuration = 2.0f;
    JsonWriter writer;
    original.Write(writer);
    BehaviorPlayer copy;
    Apply(copy, writer.Finish());
    EXPECT_TRUE(copy.Equals(original));
    copy.dashRecharged = true;
    EXPECT_TRUE(copy.NotEquals(original));
}

TEST(BehaviorPlayer, StartsInNormalWithOneJumpAndDash)
{
    const BehaviorPlayer player;
    EXPECT_EQ(player.stateMachine.requestedState, 0);
    EXPECT_EQ(player.stateMachine.activeState, -1);
    EXPECT_TRUE(player.canJump);
    EXPECT_TRUE(player.canDash);
    EXPECT_EQ(player.timeSlowMeter, 1.0f);
    EXPECT_FALSE(player.compassArrow.IsValid());
}

} // namespace
} // namespace kesto
