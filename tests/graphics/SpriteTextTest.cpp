#include "graphics/SpriteText.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(SpriteText, ReadsSourceOrderAndId)
{
    SpriteText text;
    EXPECT_EQ(text.order, 0);
    EXPECT_EQ(text.id, 0);
    test::ReadJson(text, R"({"source": "TimerDigits", "order": 12, "id": 3})");
    EXPECT_EQ(text.source, "TimerDigits");
    EXPECT_EQ(text.order, 12);
    EXPECT_EQ(text.id, 3);

    test::ReadJson(text, R"({"source": ["x"], "order": 1.0, "id": "total"})");
    EXPECT_EQ(text.source, "TimerDigits");
    EXPECT_EQ(text.order, 12);
    EXPECT_EQ(text.id, 3);
}

TEST(SpriteText, RoundTripIsEqualAndEachComparedFieldMatters)
{
    SpriteText text;
    text.source = "Digits";
    text.order = 5;
    text.id = 1;
    EXPECT_TRUE(test::RoundTrip(text).Equals(text));
    SpriteText other = text;
    other.id = 2;
    EXPECT_FALSE(other.Equals(text));
    other = text;
    other.order = 6;
    EXPECT_FALSE(other.Equals(text));
    other = text;
    other.source = "BigDigits";
    EXPECT_FALSE(other.Equals(text));
}

} // namespace
} // namespace kesto
