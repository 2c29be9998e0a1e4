#include "engine/Random.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace kesto
{
namespace
{

TEST(Random, WithoutInitDrawsTheFixedSequenceOfSeed5489)
{
    Random random;
    std::mt19937 reference; // default seed 5489
    for (int i = 0; i < 100; ++i)
    {
        const float expected =
            -3.0f + (static_cast<float>(reference()) / 4294967296.0f) * (std::nextafter(7.0f, FLT_MAX) + 3.0f);
        EXPECT_EQ(random.RandomFloat(-3.0f, 7.0f), expected);
    }
}

TEST(Random, StaysInsideTheClosedRange)
{
    Random random;
    random.Seed(1234);
    for (int i = 0; i < 10000; ++i)
    {
        const float value = random.RandomFloat(-1.0f, 1.0f);
        EXPECT_GE(value, -1.0f);
        EXPECT_LE(value, std::nextafter(1.0f, FLT_MAX));
    }
}

TEST(Random, EqualBoundsGiveThatValueOrTheNextFloat)
{
    Random random;
    for (int i = 0; i < 1000; ++i)
    {
        const float value = random.RandomFloat(2.5f, 2.5f);
        EXPECT_TRUE(value == 2.5f || value == std::nextafter(2.5f, FLT_MAX)) << value;
    }
}

TEST(Random, ReseedingRestartsTheSequence)
{
    Random a;
    Random b;
    a.Seed(99);
    b.Seed(99);
    for (int i = 0; i < 10; ++i)
    {
        EXPECT_EQ(a.RandomFloat(0.0f, 1.0f), b.RandomFloat(0.0f, 1.0f));
    }
}

} // namespace
} // namespace kesto
