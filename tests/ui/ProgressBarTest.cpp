#include "ui/ProgressBar.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(ProgressBar, DefaultsToAFullBarAnchoredAtTheTop)
{
    const ProgressBar bar;
    EXPECT_EQ(bar.min, 0.0f);
    EXPECT_EQ(bar.max, 100.0f);
    EXPECT_EQ(bar.current, 100.0f);
    EXPECT_EQ(bar.scaleDirection, ScaleDirection::X);
    EXPECT_EQ(bar.align, 1);
    EXPECT_FALSE(bar.dirty);
    EXPECT_FALSE(bar.placed);
    EXPECT_EQ(bar.maxScale, (Vec2{}));
}

TEST(ProgressBar, ReadsEveryKeyAndSkipsMistypedOnes)
{
    ProgressBar bar;
    test::ReadJson(bar, R"({"min_value": 10.0, "current_value": 40.0, "max_value": 50.0, "max_scale": [0.5, 1],
                            "original_position": [-1.2, 0.8], "scaledirection": 2, "align": 7})");
    EXPECT_EQ(bar.min, 10.0f);
    EXPECT_EQ(bar.current, 40.0f);
    EXPECT_EQ(bar.max, 50.0f);
    EXPECT_EQ(bar.maxScale, (Vec2{0.5f, 1.0f}));
    EXPECT_EQ(bar.anchorPosition, (Vec2{-1.2f, 0.8f}));
    EXPECT_EQ(bar.scaleDirection, ScaleDirection::Both);
    EXPECT_EQ(bar.align, 7);

    test::ReadJson(bar, R"({"current_value": 5, "max_scale": [1, 2, 3], "align": "left"})");
    EXPECT_EQ(bar.current, 40.0f);
    EXPECT_EQ(bar.maxScale, (Vec2{0.5f, 1.0f}));
    EXPECT_EQ(bar.align, 7);
}

TEST(ProgressBar, WriteThenReadKeepsTheSettingsButNotTheDisplayState)
{
    ProgressBar bar;
    bar.current = 12.5f;
    bar.maxScale = {0.25f, 0.125f};
    bar.anchorPosition = {3.0f, -4.0f};
    bar.align = 8;
    bar.dirty = true;
    bar.placed = true;
    const ProgressBar copy = test::RoundTrip(bar);
    EXPECT_EQ(copy.current, 12.5f);
    EXPECT_EQ(copy.maxScale, bar.maxScale);
    EXPECT_EQ(copy.anchorPosition, bar.anchorPosition);
    EXPECT_EQ(copy.align, 8);
    EXPECT_FALSE(copy.dirty);
    EXPECT_FALSE(copy.placed);
}

} // namespace
} // namespace kesto
