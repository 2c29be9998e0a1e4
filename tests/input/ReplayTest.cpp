#include "input/Replay.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

Replay SampleRun()
{
    Replay run;
    ReplayStart& start = run.start;
    start.level = "Proving Grounds Annex";
    start.randomSeed = 4294967295u;
    start.randSeed = 7;
    start.screen = {1366, 768};
    start.timeScale = 0.25f;
    start.freezeTime = 0.0333f;
    start.fadingOut = false;
    start.transition = 0.8125f;
    start.transitionDuration = 0.75f;
    start.transitionType = 1;
    start.input = {{32, 68}, {0.1, 1e-9}, std::nullopt};
    gamepad::GamepadState pad;
    pad.buttons = 0xF0F0;
    pad.leftTrigger = 255;
    pad.thumbLX = -32768;
    pad.thumbRY = 32767;
    // Steps and cursors that no short decimal writes exactly must come back bit for bit.
    run.AddFrame(1.0f / 60.0f, {{}, {511.3333333333333, 0.1}, std::nullopt});
    run.AddFrame(1.0f / 60.0f, {{}, {511.3333333333333, 0.1}, std::nullopt});
    run.AddFrame(0.0f, {{0, 1, 348}, {-3.5, 2e6}, pad});
    run.AddFrame(0.1000001f, {{263}, {0.0, 0.0}, gamepad::GamepadState{}});
    return run;
}

TEST(Replay, TextGivesBackTheRunExactly)
{
    const Replay run = SampleRun();
    EXPECT_EQ(run.spans.size(), 3u); // the two identical frames share a line
    EXPECT_EQ(run.FrameCount(), 4);
    const std::string text = WriteReplayText(run);
    const ReplayReadResult read = ReadReplayText(text);
    ASSERT_TRUE(read.replay) << read.error << "\n" << text;
    const Replay& back = *read.replay;
    EXPECT_EQ(back.start.level, run.start.level);
    EXPECT_EQ(back.start.randomSeed, run.start.randomSeed);
    EXPECT_EQ(back.start.randSeed, run.start.randSeed);
    EXPECT_EQ(back.start.screen.width, 1366);
    EXPECT_EQ(back.start.screen.height, 768);
    EXPECT_EQ(back.start.timeScale, run.start.timeScale);
    EXPECT_EQ(back.start.freezeTime, run.start.freezeTime);
    EXPECT_EQ(back.start.transition, run.start.transition);
    EXPECT_EQ(back.start.transitionDuration, run.start.transitionDuration);
    EXPECT_EQ(back.start.transitionType, 1);
    EXPECT_EQ(back.start.input, run.start.input);
    ASSERT_EQ(back.spans.size(), run.spans.size());
    for (std::size_t i = 0; i < run.spans.size(); ++i)
    {
        EXPECT_EQ(back.spans[i].count, run.spans[i].count) << i;
        EXPECT_EQ(back.spans[i].step, run.spans[i].step) << i;
        EXPECT_EQ(back.spans[i].input, run.spans[i].input) << i;
    }
    // Written again, it is the same text.
    EXPECT_EQ(WriteReplayText(back), text);
}

TEST(Replay, BadTextIsRefusedWithTheLineAndTheReason)
{
    const std::string head = "kesto-replay 1\nlevel Proving Grounds\nseeds 1 2\nscreen 1920 1080\nstart cursor 0 0\n";
    struct Case
    {
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"", "the file is empty"},
        {"\n# nothing\n", "the file is empty"},
        {"kesto-replay 2\n", "line 1: not a replay"},
        {"{\"Archetype\": {}}\n", "line 1: not a replay"},
        {head, "\"end\" is missing (the file was cut short)"},
        {head + "frames 3 0.016 cursor 0 0\nend 2\n", "line 7: the file holds 3 frames, \"end\" says 2"},
        {head + "frames 1 0.016 cursor 0 0\nend 1\nframes 1 0.016 cursor 0 0\n", "line 8: nothing may follow"},
        {head + "frames 0 0.016 cursor 0 0\nend 0\n", "line 6: frame count 0 is out of range"},
        {head + "frames 1 -0.016 cursor 0 0\nend 1\n", "line 6: step -0.016 is out of range"},
        {head + "frames 1 nan cursor 0 0\nend 1\n", "line 6: step is not finite"},
        {head + "frames 1 1e40 cursor 0 0\nend 1\n", "line 6: step is not a number"},
        {head + "frames 1 0.016 cursor 0\nend 1\n", "line 6: cursor y is not a number"},
        {head + "frames 1 0.016\nend 1\n", "line 6: the cursor is missing"},
        {head + "frames 1 0.016 keys 349 cursor 0 0\nend 1\n", "line 6: key code 349 is out of range"},
        {head + "frames 1 0.016 keys 68 32 cursor 0 0\nend 1\n", "line 6: key codes are not in ascending order"},
        {head + "frames 1 0.016 cursor 0 0 pad 1 256 0 0 0 0 0\nend 1\n", "line 6: left trigger 256 is out of"},
        {head + "frames 1 0.016 cursor 0 0 pad 1 0 0 0 0 0\nend 1\n", "line 6: right stick y is not a number"},
        {head + "frames 1 0.016 cursor 0 0 mouse 3\nend 1\n", "line 6: unknown field \"mouse\""},
        {head + "frames 99999999999 0.016 cursor 0 0\nend 1\n", "line 6: frame count is not a number"},
        {head + "frames 100000000 0 cursor 0 0\nframes 1 0 cursor 0 0\nend 1\n", "line 7: more than 100000000"},
        {head + "seeds 3 4\nend 0\n", "line 6: \"seeds\" is given twice"},
        {head + "fade 2 0 0 0\nend 0\n", "line 6: fading out 2 is out of range"},
        {head + "fade 0 0 0 3\nend 0\n", "line 6: transition type 3 is out of range"},
        {head + "screen 0 1080\nend 0\n", "line 6: \"screen\" is given twice"},
        {head + "jump\nend 0\n", "line 6: unknown line \"jump\""},
        {head + "end 0 0\n", "line 6: unexpected \"0\" at the end of the line"},
        {"kesto-replay 1\nlevel Proving Grounds\nframes 1 0 cursor 0 0\nend 1\n", "line 3: frames before"},
        {"kesto-replay 1\nlevel X\nscreen 1 1\nstart cursor 0 0\nend 0\n", "\"seeds\" is missing"},
        {"kesto-replay 1\nseeds 1 1\nscreen 1 1\nstart cursor 0 0\nend 0\n", "\"level\" is missing"},
    };
    for (const Case& c : cases)
    {
        const ReplayReadResult read = ReadReplayText(c.text);
        EXPECT_FALSE(read.replay) << c.text;
        EXPECT_TRUE(read.error.starts_with(c.error)) << "got \"" << read.error << "\" for\n" << c.text;
    }
    // The same head with a frame is a run, comments and blank lines and Windows line ends included.
    const ReplayReadResult good =
        ReadReplayText(head + "\n# held right\r\nframes 2 0.016 keys 68 cursor 0 0\r\nend 2\n");
    ASSERT_TRUE(good.replay) << good.error;
    EXPECT_EQ(good.replay->FrameCount(), 2);
}

TEST(Replay, AFileThatCannotBeReadOrWrittenSaysSo)
{
    EXPECT_EQ(ReadReplayFile("/nonexistent/kesto/run.txt").error, "cannot open the file");
    std::string error;
    EXPECT_FALSE(WriteReplayFile("/nonexistent/kesto/run.txt", SampleRun(), error));
    EXPECT_EQ(error, "cannot write the file");
}

} // namespace
} // namespace kesto
