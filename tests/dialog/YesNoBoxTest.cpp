#include "dialog/YesNoBoxInternal.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto::dialog
{
namespace
{

TEST(YesNoBox, IsAWarningWithCaptionAndText)
{
    const YesNoBox box("Quit?", "Are you sure you want to quit? You have unsaved changes.");

    EXPECT_STREQ(box.Data().title, "Quit?");
    EXPECT_STREQ(box.Data().message, "Are you sure you want to quit? You have unsaved changes.");
    EXPECT_EQ(box.Data().flags, static_cast<Uint32>(SDL_MESSAGEBOX_WARNING | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT));
    EXPECT_EQ(box.Data().window, nullptr);
    EXPECT_EQ(box.Data().colorScheme, nullptr);
}

TEST(YesNoBox, OffersYesOnReturnThenNoOnEscape)
{
    const YesNoBox box("Quit?", "text");

    ASSERT_EQ(box.Data().numbuttons, 2);
    EXPECT_STREQ(box.Data().buttons[0].text, "Yes");
    EXPECT_EQ(box.Data().buttons[0].buttonid, YesNoBox::yesButtonId);
    EXPECT_EQ(box.Data().buttons[0].flags, static_cast<Uint32>(SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT));
    EXPECT_STREQ(box.Data().buttons[1].text, "No");
    EXPECT_EQ(box.Data().buttons[1].buttonid, YesNoBox::noButtonId);
    EXPECT_EQ(box.Data().buttons[1].flags, static_cast<Uint32>(SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT));
}

TEST(YesNoBox, KeepsItsOwnCopyOfTheStrings)
{
    std::string caption = "Quit?";
    std::string text = "Unsaved changes.";
    const YesNoBox box(caption, text);
    caption.assign("changed afterwards");
    text.assign("changed afterwards");

    EXPECT_STREQ(box.Data().title, "Quit?");
    EXPECT_STREQ(box.Data().message, "Unsaved changes.");
}

TEST(YesNoBox, OnlyTheYesButtonAnswersYes)
{
    EXPECT_EQ(YesNoBox::AnswerFor(YesNoBox::yesButtonId), Answer::Yes);
    EXPECT_EQ(YesNoBox::AnswerFor(YesNoBox::noButtonId), Answer::No);
    // -1: the box was closed without a button.
    EXPECT_EQ(YesNoBox::AnswerFor(-1), Answer::No);
    EXPECT_EQ(YesNoBox::AnswerFor(7), Answer::No);
}

} // namespace
} // namespace kesto::dialog
