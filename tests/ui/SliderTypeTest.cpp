#include "ui/SliderType.h"

#include "support/ComponentJson.h"
#include "ui/SliderBackground.h"
#include "ui/SliderBar.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(SliderType, EveryTextReadsBackAsItsType)
{
    for (SliderType type :
         {SliderType::MasterVolume, SliderType::MusicVolume, SliderType::EffectsVolume, SliderType::Brightness})
    {
        SliderBar bar;
        bar.type = type;
        EXPECT_EQ(test::RoundTrip(bar).type, type);
    }
    SliderBar bar;
    test::ReadJson(bar, R"({"slider_type": "BGMVolumn"})");
    EXPECT_EQ(bar.type, SliderType::MusicVolume);
}

TEST(SliderType, UnknownTextReadsAsMasterVolumeAndIsReported)
{
    test::QuietTrace quiet;
    SliderBar bar;
    bar.type = SliderType::Brightness;
    test::ReadJson(bar, R"({"slider_type": "MasterVolume"})", &quiet.registry);
    EXPECT_EQ(bar.type, SliderType::MasterVolume);
    EXPECT_NE(quiet.trace->Text().find("unknown slider_type \"MasterVolume\""), std::string::npos);
}

TEST(SliderBackground, ReadsSpritesAndTypeAndRoundTrips)
{
    SliderBackground background;
    test::ReadJson(background, R"({"Default_Sprite": "Track", "onPress_Sprite": 7, "slider_type": "Brightness"})");
    EXPECT_EQ(background.defaultSprite, "Track");
    EXPECT_EQ(background.pressSprite, "");
    EXPECT_EQ(background.type, SliderType::Brightness);

    background.pressSprite = "TrackDown";
    const SliderBackground copy = test::RoundTrip(background);
    EXPECT_EQ(copy.defaultSprite, "Track");
    EXPECT_EQ(copy.pressSprite, "TrackDown");
    EXPECT_EQ(copy.type, SliderType::Brightness);
}

} // namespace
} // namespace kesto
