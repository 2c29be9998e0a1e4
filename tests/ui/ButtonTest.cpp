#include "ui/Button.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(Button, DefaultsCarryTheMenuSounds)
{
    const Button button;
    EXPECT_FALSE(button.hovered);
    EXPECT_EQ(button.defaultSprite, "");
    EXPECT_EQ(button.releaseFunction, "");
    EXPECT_EQ(button.hoverSound, "event:/SFX/UI/Menu_Hover");
    EXPECT_EQ(button.clickSound, "event:/SFX/UI/Menu_Click");
    EXPECT_EQ(button.releaseSound, "event:/SFX/UI/Menu_Back");
}

TEST(Button, ReadsTheMenuFileKeys)
{
    Button button;
    test::ReadJson(button, R"({"Default_Sprite": "PlayN", "onHover_Sprite": "PlayH", "onPress_Sprite": "PlayP",
                               "onReleas_Function": "State_Level 1", "onHover_Sound": "",
                               "onClick_Sound": "event:/Click", "onRelease_Sound": "event:/Go"})");
    EXPECT_EQ(button.defaultSprite, "PlayN");
    EXPECT_EQ(button.hoverSprite, "PlayH");
    EXPECT_EQ(button.pressSprite, "PlayP");
    EXPECT_EQ(button.releaseFunction, "State_Level 1");
    EXPECT_EQ(button.hoverSound, "");
    EXPECT_EQ(button.clickSound, "event:/Click");
    EXPECT_EQ(button.releaseSound, "event:/Go");
}

TEST(Button, MissingOrMistypedKeysLeaveFieldsAndWriteReadsBack)
{
    Button button;
    test::ReadJson(button, R"({"onRelease_Function": "Pause_", "onReleas_Function": 3, "onHover_Sound": null})");
    EXPECT_EQ(button.releaseFunction, "");
    EXPECT_EQ(button.hoverSound, "event:/SFX/UI/Menu_Hover");

    button.releaseFunction = "AddSub_Options";
    button.hoverSprite = "OptionsH";
    button.hovered = true;
    const Button copy = test::RoundTrip(button);
    EXPECT_EQ(copy.releaseFunction, "AddSub_Options");
    EXPECT_EQ(copy.hoverSprite, "OptionsH");
    EXPECT_FALSE(copy.hovered);
    // Buttons never compare equal.
    EXPECT_FALSE(copy.Equals(button));
}

} // namespace
} // namespace kesto
