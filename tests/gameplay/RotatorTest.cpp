#include "gameplay/Rotator.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(Rotator, DefaultsToOneRadianPerSecondClockwise)
{
    const Rotator rotator;
    EXPECT_EQ(rotator.speed, 1.0f);
    EXPECT_FALSE(rotator.ccw);
}

TEST(Rotator, ReadsSpeedOnlyFromFloats)
{
    Rotator rotator;
    test::ReadJson(rotator, R"({"speed": 3, "ccw": true})");
    EXPECT_EQ(rotator.speed, 1.0f);
    EXPECT_TRUE(rotator.ccw);
    test::ReadJson(rotator, R"({"speed": -2.5e0})");
    EXPECT_EQ(rotator.speed, -2.5f);
}

TEST(Rotator, RoundTripIsEqualAndEachFieldMatters)
{
    Rotator rotator;
    rotator.speed = 0.5f;
    rotator.ccw = true;
    EXPECT_TRUE(test::RoundTrip(rotator).Equals(rotator));
    Rotator other = rotator;
    other.ccw = false;
    EXPECT_FALSE(other.Equals(rotator));
    other = rotator;
    other.speed = 0.25f;
    EXPECT_FALSE(other.Equals(rotator));
}

} // namespace
} // namespace kesto
