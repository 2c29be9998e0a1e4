#include "game/CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

TEST(CommandLine, ReadsTheLevelReplayAndFrameLimitAndRefusesAnythingElse)
{
    struct Case
    {
        std::vector<const char*> arguments; // after the program's name
        std::string level;
        std::string error;
        std::string replay = "";
        int frames = 0;
    };
    const std::vector<Case> cases = {
        {{}, "", ""},
        {{"--level", "Proving Grounds"}, "Proving Grounds", ""},
        {{"--level"}, "", "--level needs a level name"},
        {{"--fullscreen"}, "", "unknown argument \"--fullscreen\""},
        {{"--level", "Credit", "extra"}, "Credit", "unknown argument \"extra\""},
        {{"--replay", "run.txt", "--frames", "120"}, "", "", "run.txt", 120},
        {{"--replay"}, "", "--replay needs a replay file"},
        {{"--frames"}, "", "--frames needs a number of frames"},
        {{"--frames", "0"}, "", "--frames needs a whole number above 0, not \"0\""},
        {{"--frames", "12x"}, "", "--frames needs a whole number above 0, not \"12x\""},
        {{"--frames", "-5"}, "", "--frames needs a whole number above 0, not \"-5\""},
    };
    for (const Case& c : cases)
    {
        std::vector<const char*> argv = {"kesto"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(line.level, c.level);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.replay, c.replay);
        EXPECT_EQ(line.frames, c.frames);
    }
}

} // namespace
} // namespace kesto
