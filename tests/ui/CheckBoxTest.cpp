#include "ui/CheckBox.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(CheckBox, DefaultsToAnUncheckedFullScreenBox)
{
    const CheckBox box;
    EXPECT_FALSE(box.checked);
    EXPECT_EQ(box.type, CheckBoxType::FullScreen);
}

TEST(CheckBox, ReadsTypeFromItsText)
{
    CheckBox box;
    test::ReadJson(box, R"({"Checked": true, "Type": "MuteBGM", "Checked_Sprite": "On", "UnChecked_Sprite": "Off",
                            "onHover_Checked_Sprite": "OnHover"})");
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(box.type, CheckBoxType::MuteBGM);
    EXPECT_EQ(box.checkedSprite, "On");
    EXPECT_EQ(box.uncheckedSprite, "Off");
    EXPECT_EQ(box.hoverCheckedSprite, "OnHover");

    test::ReadJson(box, R"({"Type": 2})");
    EXPECT_EQ(box.type, CheckBoxType::MuteBGM);
    test::ReadJson(box, R"({"Type": "Stub"})");
    EXPECT_EQ(box.type, CheckBoxType::Stub);
}

TEST(CheckBox, UnknownTypeTextReadsAsFullScreenAndIsReported)
{
    test::QuietTrace quiet;
    CheckBox box;
    box.type = CheckBoxType::MuteSFX;
    test::ReadJson(box, R"({"Type": "MuteEverything"})", &quiet.registry);
    EXPECT_EQ(box.type, CheckBoxType::FullScreen);
    EXPECT_NE(quiet.trace->Text().find("test.json: unknown check box Type \"MuteEverything\""), std::string::npos);
}

TEST(CheckBox, WritesBothHoverSpritesUnderTheSharedKey)
{
    CheckBox box;
    box.type = CheckBoxType::MuteMaster;
    box.checkedSprite = "On";
    box.hoverCheckedSprite = "OnHover";
    box.hoverUncheckedSprite = "OffHover";
    const std::string text = test::WriteJson(box);
    const auto first = text.find("\"onHover_Checked_Sprite\"");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find("\"onHover_Checked_Sprite\"", first + 1), std::string::npos) << text;
    EXPECT_LT(text.find("OnHover"), text.find("OffHover"));

    const CheckBox copy = test::RoundTrip(box);
    EXPECT_EQ(copy.type, CheckBoxType::MuteMaster);
    EXPECT_EQ(copy.checkedSprite, "On");
    EXPECT_EQ(copy.hoverCheckedSprite, "OnHover");
    EXPECT_EQ(copy.hoverUncheckedSprite, "OffHover");
}

} // namespace
} // namespace kesto
