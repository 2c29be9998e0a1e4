#include "physics/Rigidbody.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "physics/Gravity.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(Rigidbody, StartsAtRest)
{
    const Rigidbody body;
    EXPECT_EQ(body.acceleration, (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(body.velocity, (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(body.angularVelocity, 0.0f);
    EXPECT_STREQ(body.TypeName(), "Rigidbody");
}

TEST(Rigidbody, WritesNothingAndIgnoresWhatItReads)
{
    Rigidbody body;
    body.velocity = {3.0f, 4.0f};
    JsonWriter writer;
    body.Write(writer);
    EXPECT_EQ(writer.Finish().find("velocity"), std::string::npos);

    JsonReader reader;
    ASSERT_TRUE(reader.Parse(R"({"velocity": [9.0, 9.0], "acceleration": [1.0, 1.0]})", "inline", nullptr));
    body.Read(reader, nullptr);
    EXPECT_EQ(body.velocity, (Vec2{3.0f, 4.0f}));
    EXPECT_EQ(body.acceleration, (Vec2{0.0f, 0.0f}));
}

TEST(Rigidbody, CloneCopiesEveryFieldButAnyTwoCompareEqual)
{
    Rigidbody body;
    body.acceleration = {1.0f, 2.0f};
    body.velocity = {3.0f, 4.0f};
    body.angularVelocity = 5.0f;
    const auto copy = body.Clone();
    const auto& cloned = static_cast<const Rigidbody&>(*copy);
    EXPECT_EQ(cloned.acceleration, body.acceleration);
    EXPECT_EQ(cloned.velocity, body.velocity);
    EXPECT_EQ(cloned.angularVelocity, 5.0f);
    EXPECT_TRUE(body.Equals(Rigidbody{}));
    EXPECT_FALSE(body.NotEquals(Rigidbody{}));
}

} // namespace
} // namespace kesto
