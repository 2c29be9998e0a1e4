#include "gameplay/Checkpoint.h"

#include "gameplay/Rotator.h"
#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(Checkpoint, ReadsActivatedAndComparesIt)
{
    Checkpoint checkpoint;
    EXPECT_FALSE(checkpoint.activated);
    test::ReadJson(checkpoint, R"({"activated": 1})");
    EXPECT_FALSE(checkpoint.activated);
    test::ReadJson(checkpoint, R"({"activated": true})");
    EXPECT_TRUE(checkpoint.activated);

    const Checkpoint copy = test::RoundTrip(checkpoint);
    EXPECT_TRUE(copy.Equals(checkpoint));
    EXPECT_FALSE(Checkpoint{}.Equals(checkpoint));
    EXPECT_FALSE(checkpoint.Equals(Rotator{}));
}

} // namespace
} // namespace kesto
