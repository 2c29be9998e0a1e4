#include "studio/BankParser.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto::studio::detail
{
namespace
{

class BankParserTest : public ::testing::Test
{
protected:
    std::optional<BankDef> Parse(std::string_view text)
    {
        return ParseBank(text, "Test.bank", [this](std::string_view message) { reports.emplace_back(message); });
    }

    std::vector<std::string> reports;
};

TEST_F(BankParserTest, ReadsEveryKindOfLine)
{
    const auto bank = Parse(R"(kesto-bank 1
# a comment line
bus "bus:/SFX" volume 0.5
bus "bus:/Reverb" echo 0.1 0.3
parameter "parameter:/Time_Slow" global default 0 min 0 max 1 seek 4
parameter "parameter:/Laser_OnOff" local max 2

event "event:/SFX/Player/Time Slow" bus "bus:/SFX" volume 0.8 pitch 1.5 range 100 900 fadein 0.2 fadeout 0.3 random sustain
sound "Sounds/Whoosh.ogg" volume 0.5 pitch 0.9 loop delay 0.25   # trailing comment
sound Sounds/Drone.ogg
effect "parameter:/Time_Slow" "bus:/SFX" lowpass 0:22000 1:2200
)");
    ASSERT_TRUE(bank.has_value());
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(bank->buses.size(), 2U);
    EXPECT_EQ(bank->buses[0].path, "bus:/SFX");
    EXPECT_FLOAT_EQ(bank->buses[0].volume, 0.5f);
    EXPECT_FLOAT_EQ(bank->buses[1].echoDelay, 0.1f);
    EXPECT_FLOAT_EQ(bank->buses[1].echoFeedback, 0.3f);

    ASSERT_EQ(bank->parameters.size(), 2U);
    EXPECT_EQ(bank->parameters[0].name, "Time_Slow");
    EXPECT_TRUE(bank->parameters[0].global);
    EXPECT_FLOAT_EQ(bank->parameters[0].seekSpeed, 4.0f);
    EXPECT_EQ(bank->parameters[1].name, "Laser_OnOff");
    EXPECT_FALSE(bank->parameters[1].global);
    EXPECT_FLOAT_EQ(bank->parameters[1].maximum, 2.0f);

    ASSERT_EQ(bank->events.size(), 1U);
    const EventDef& event = bank->events[0];
    EXPECT_EQ(event.path, "event:/SFX/Player/Time Slow");
    EXPECT_EQ(event.bus, "bus:/SFX");
    EXPECT_FLOAT_EQ(event.volume, 0.8f);
    EXPECT_FLOAT_EQ(event.pitch, 1.5f);
    EXPECT_FLOAT_EQ(event.minDistance, 100.0f);
    EXPECT_FLOAT_EQ(event.maxDistance, 900.0f);
    EXPECT_FLOAT_EQ(event.fadeIn, 0.2f);
    EXPECT_FLOAT_EQ(event.fadeOut, 0.3f);
    EXPECT_TRUE(event.random);
    EXPECT_TRUE(event.sustain);
    EXPECT_EQ(event.line, 8);
    ASSERT_EQ(event.sounds.size(), 2U);
    EXPECT_EQ(event.sounds[0].file, "Sounds/Whoosh.ogg");
    EXPECT_FLOAT_EQ(event.sounds[0].volume, 0.5f);
    EXPECT_FLOAT_EQ(event.sounds[0].pitch, 0.9f);
    EXPECT_TRUE(event.sounds[0].loop);
    EXPECT_FLOAT_EQ(event.sounds[0].delay, 0.25f);
    EXPECT_EQ(event.sounds[1].file, "Sounds/Drone.ogg");
    EXPECT_FALSE(event.sounds[1].loop);

    ASSERT_EQ(bank->effects.size(), 1U);
    EXPECT_EQ(bank->effects[0].parameter, "Time_Slow");
    EXPECT_EQ(bank->effects[0].target, "bus:/SFX");
    EXPECT_EQ(bank->effects[0].property, EffectProperty::Lowpass);
    ASSERT_EQ(bank->effects[0].curve.size(), 2U);
    EXPECT_FLOAT_EQ(bank->effects[0].curve[1].input, 1.0f);
    EXPECT_FLOAT_EQ(bank->effects[0].curve[1].output, 2200.0f);
}

TEST_F(BankParserTest, RejectsAFileWithoutTheHeader)
{
    EXPECT_FALSE(Parse("bus \"bus:/SFX\"\n").has_value());
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], "Test.bank:1: not a bank file: the first line must be \"kesto-bank 1\"");
}

TEST_F(BankParserTest, RejectsAnotherVersionAndAnEmptyFile)
{
    EXPECT_FALSE(Parse("\n# comment\nkesto-bank 2\n").has_value());
    EXPECT_FALSE(Parse("").has_value());
    EXPECT_EQ(reports.size(), 2U);
}

TEST_F(BankParserTest, ReportsEachBadLineWithItsNumberAndKeepsTheRest)
{
    const auto bank = Parse(R"(kesto-bank 1
bus "bus:/SFX"
bus "SFX"
parameter "parameter:/A" global min 1 max 0
parameter "parameter:/B" sometimes
event "event:/Good" bus "bus:/SFX"
sound "good.ogg"
sound "bad.ogg" volume loud
event "event:/Bad" bus "bus:/SFX" pitch 0
sound "orphan.ogg"
sound "orphan2.ogg"
event "event:/Good" bus "bus:/SFX"
effect "parameter:/A" "bus:/SFX" volume 1:0 0:1
effect "parameter:/A" "nowhere" volume 0:1
effect "parameter:/A" "bus:/SFX" colour 0:1
frobnicate
event "event:/Unclosed bus "bus:/SFX"
bus "bus:/SFX"
event "event:/Last" bus "bus:/"
)");
    ASSERT_TRUE(bank.has_value());
    ASSERT_EQ(bank->buses.size(), 1U);
    EXPECT_TRUE(bank->parameters.empty());
    ASSERT_EQ(bank->events.size(), 2U);
    EXPECT_EQ(bank->events[0].path, "event:/Good");
    ASSERT_EQ(bank->events[0].sounds.size(), 1U);
    EXPECT_EQ(bank->events[1].path, "event:/Last");
    EXPECT_EQ(bank->events[1].bus, "bus:/");
    EXPECT_TRUE(bank->effects.empty());

    const std::vector<int> badLines = {3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    ASSERT_EQ(reports.size(), badLines.size());
    for (std::size_t i = 0; i < badLines.size(); ++i)
    {
        EXPECT_EQ(reports[i].rfind("Test.bank:" + std::to_string(badLines[i]) + ": ", 0), 0U) << reports[i];
        EXPECT_NE(reports[i].find("line skipped"), std::string::npos) << reports[i];
    }
    EXPECT_NE(reports[0].find("\"SFX\" is not a valid bus:/ path"), std::string::npos);
    EXPECT_NE(reports[3].find("expected a number after \"volume\""), std::string::npos);
    EXPECT_NE(reports[5].find("a sound line must follow a valid event line"), std::string::npos);
    EXPECT_NE(reports[7].find("declared twice"), std::string::npos);
    EXPECT_NE(reports[8].find("must increase"), std::string::npos);
    EXPECT_NE(reports[11].find("unknown keyword \"frobnicate\""), std::string::npos);
    EXPECT_NE(reports[12].find("unclosed quote"), std::string::npos);
}

TEST_F(BankParserTest, RejectsMalformedPaths)
{
    const auto bank = Parse(R"(kesto-bank 1
bus "bus:/"
bus "bus:/A//B"
bus "bus:/A/"
event "event:/" bus "bus:/"
event "event:/X" bus "music"
parameter "parameter:/a/b" global
)");
    ASSERT_TRUE(bank.has_value());
    EXPECT_TRUE(bank->buses.empty());
    EXPECT_TRUE(bank->events.empty());
    EXPECT_TRUE(bank->parameters.empty());
    EXPECT_EQ(reports.size(), 6U);
}

TEST_F(BankParserTest, ToleratesWindowsLineEnds)
{
    const auto bank = Parse("kesto-bank 1\r\nbus \"bus:/SFX\"\r\n");
    ASSERT_TRUE(bank.has_value());
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(bank->buses.size(), 1U);
    EXPECT_EQ(bank->buses[0].path, "bus:/SFX");
}

TEST(EvaluateCurve, InterpolatesBetweenPointsAndHoldsBeyondThem)
{
    const std::vector<CurvePoint> curve = {{1.0f, 1.0f}, {2.0f, 3.0f}, {4.0f, 0.0f}};
    EXPECT_FLOAT_EQ(EvaluateCurve(curve, -5.0f), 1.0f);
    EXPECT_FLOAT_EQ(EvaluateCurve(curve, 1.0f), 1.0f);
    EXPECT_FLOAT_EQ(EvaluateCurve(curve, 1.5f), 2.0f);
    EXPECT_FLOAT_EQ(EvaluateCurve(curve, 2.0f), 3.0f);
    EXPECT_FLOAT_EQ(EvaluateCurve(curve, 3.0f), 1.5f);
    EXPECT_FLOAT_EQ(EvaluateCurve(curve, 9.0f), 0.0f);
    EXPECT_FLOAT_EQ(EvaluateCurve({{0.5f, 0.25f}}, 3.0f), 0.25f);
}

} // namespace
} // namespace kesto::studio::detail
