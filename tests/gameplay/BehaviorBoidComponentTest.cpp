#include "gameplay/BehaviorBoidComponent.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::ReadJson;

TEST(BehaviorBoidComponent, DefaultsAreAnUnlaunchedBoidOfItsOwnMode)
{
    const BehaviorBoidComponent boid;
    EXPECT_STREQ(boid.TypeName(), "BehaviorBoid");
    EXPECT_EQ(boid.state, -1);
    EXPECT_FALSE(boid.active);
    EXPECT_EQ(boid.speed, 5.0f);
    EXPECT_TRUE(boid.edgeFlag);
    EXPECT_EQ(boid.respawnDelay, 0.0f);
    EXPECT_FALSE(boid.loop);
}

TEST(BehaviorBoidComponent, ReadsItsKeysAndSkipsMistypedOnes)
{
    BehaviorBoidComponent boid;
    ReadJson(boid, R"({"state": 2, "speed": 120.0, "respawn_delay": 2.0, "loop": true})");
    EXPECT_EQ(boid.state, 2);
    EXPECT_EQ(boid.speed, 120.0f);
    EXPECT_EQ(boid.respawnDelay, 2.0f);
    EXPECT_TRUE(boid.loop);

    ReadJson(boid, R"({"state": 1.0, "speed": 60, "respawn_delay": "soon", "loop": 0})");
    EXPECT_EQ(boid.state, 2);
    EXPECT_EQ(boid.speed, 120.0f);
    EXPECT_EQ(boid.respawnDelay, 2.0f);
    EXPECT_TRUE(boid.loop);
}

TEST(BehaviorBoidComponent, EqualityIgnoresModeAndFlightState)
{
    BehaviorBoidComponent boid;
    boid.state = 3;
    boid.speed = 8.0f;
    boid.respawnDelay = 1.0f;
    boid.loop = true;
    const BehaviorBoidComponent copy = test::RoundTrip(boid);
    EXPECT_EQ(copy.state, 3);
    EXPECT_TRUE(copy.Equals(boid));

    BehaviorBoidComponent flying = boid;
    flying.state = 0;
    flying.heading = 90.0f;
    flying.active = true;
    EXPECT_TRUE(flying.Equals(boid));
    flying.loop = false;
    EXPECT_FALSE(flying.Equals(boid));
}

} // namespace
} // namespace kesto
