#include "physics/Gravity.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

void Apply(Gravity& gravity, const std::string& json)
{
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(json, "inline", nullptr));
    gravity.Read(reader, nullptr);
}

TEST(Gravity, DefaultsToAThousandUnitsDownAtFullScale)
{
    const Gravity gravity;
    EXPECT_EQ(gravity.amount, 1000.0f);
    EXPECT_EQ(gravity.scale, 1.0f);
    EXPECT_EQ(gravity.Acceleration(), -1000.0f);
    EXPECT_STREQ(gravity.TypeName(), "Gravity");
}

TEST(Gravity, AccelerationFollowsTheScale)
{
    Gravity gravity;
    gravity.scale = 1.5f;
    EXPECT_EQ(gravity.Acceleration(), -1500.0f);
    gravity.scale = 0.0f;
    EXPECT_EQ(gravity.Acceleration(), 0.0f);
}

TEST(Gravity, AmountRoundTripsThroughJsonButScaleDoesNot)
{
    Gravity written;
    written.amount = 250.5f;
    written.scale = 3.0f;
    JsonWriter writer;
    written.Write(writer);
    const std::string text = writer.Finish();
    EXPECT_EQ(text.find("scale"), std::string::npos);

    Gravity read;
    Apply(read, text);
    EXPECT_EQ(read.amount, 250.5f);
    EXPECT_EQ(read.scale, 1.0f);
}

TEST(Gravity, ReadKeepsTheDefaultForAnIntegerOrMistypedAmount)
{
    Gravity gravity;
    Apply(gravity, R"({"amount": 500})");
    EXPECT_EQ(gravity.amount, 1000.0f);
    Apply(gravity, R"({"amount": "heavy"})");
    EXPECT_EQ(gravity.amount, 1000.0f);
}

TEST(Gravity, EqualityComparesTheAmountOnly)
{
    Gravity a;
    Gravity b;
    b.scale = 0.0f;
    EXPECT_TRUE(a.Equals(b));
    b.amount = 10.0f;
    EXPECT_TRUE(a.NotEquals(b));
}

TEST(Gravity, CloneKeepsTheRunTimeScale)
{
    Gravity gravity;
    gravity.scale = 0.25f;
    const auto copy = gravity.Clone();
    EXPECT_EQ(static_cast<const Gravity&>(*copy).scale, 0.25f);
}

} // namespace
} // namespace kesto
