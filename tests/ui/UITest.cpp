#include "ui/UI.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(UI, DefaultsDrawOverTheOverlay)
{
    const UI ui;
    EXPECT_EQ(ui.align, 1);
    EXPECT_TRUE(ui.overOverlay);
}

TEST(UI, ReadSkipsMistypedKeysAndRoundTrips)
{
    UI ui;
    test::ReadJson(ui, R"({"align": "left", "overOverlay": false})");
    EXPECT_EQ(ui.align, 1);
    EXPECT_FALSE(ui.overOverlay);
    test::ReadJson(ui, R"({"align": 4})");
    EXPECT_EQ(ui.align, 4);
    EXPECT_FALSE(ui.overOverlay);
    EXPECT_TRUE(test::RoundTrip(ui).Equals(ui));
}

TEST(UI, EqualityComparesBothFields)
{
    UI a;
    UI b;
    EXPECT_TRUE(a.Equals(b));
    b.align = 0;
    EXPECT_FALSE(a.Equals(b));
    b = a;
    b.overOverlay = false;
    EXPECT_FALSE(a.Equals(b));
}

} // namespace
} // namespace kesto
