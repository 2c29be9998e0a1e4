#include "ui/Slider.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(Slider, DefaultsSpanZeroToOneOnTheMasterVolume)
{
    const Slider slider;
    EXPECT_EQ(slider.min, 0.0f);
    EXPECT_EQ(slider.max, 1.0f);
    EXPECT_EQ(slider.current, 0.0f);
    EXPECT_EQ(slider.type, SliderType::MasterVolume);
    EXPECT_EQ(slider.trackRight, (Vec2{1.0f, 0.0f}));
    EXPECT_EQ(slider.knob, (Vec2{1.0f, 0.0f}));
}

TEST(Slider, ReadsRangeValueAndType)
{
    Slider slider;
    test::ReadJson(slider, R"({"min_value": 0.5, "current_value": 0.75, "max_value": 2.0,
                               "slider_type": "SoundEffectVolumn"})");
    EXPECT_EQ(slider.min, 0.5f);
    EXPECT_EQ(slider.current, 0.75f);
    EXPECT_EQ(slider.max, 2.0f);
    EXPECT_EQ(slider.type, SliderType::EffectsVolume);

    test::ReadJson(slider, R"({"max_value": 1, "slider_type": 3})");
    EXPECT_EQ(slider.max, 2.0f);
    EXPECT_EQ(slider.type, SliderType::EffectsVolume);
}

TEST(Slider, WriteThenReadKeepsTheSettings)
{
    Slider slider;
    slider.min = -1.0f;
    slider.max = 3.0f;
    slider.current = 2.5f;
    slider.type = SliderType::Brightness;
    slider.knob = {0.25f, 0.5f};
    const Slider copy = test::RoundTrip(slider);
    EXPECT_EQ(copy.min, -1.0f);
    EXPECT_EQ(copy.max, 3.0f);
    EXPECT_EQ(copy.current, 2.5f);
    EXPECT_EQ(copy.type, SliderType::Brightness);
    EXPECT_EQ(copy.knob, (Vec2{1.0f, 0.0f}));
}

} // namespace
} // namespace kesto
