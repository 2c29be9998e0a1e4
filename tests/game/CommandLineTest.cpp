#include "game/CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

TEST(CommandLine, ReadsTheLevelToStartWithAndRefusesAnythingElse)
{
    struct Case
    {
        std::vector<const char*> arguments; // after the program's name
        std::string level;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{}, "", ""},
        {{"--level", "Proving Grounds"}, "Proving Grounds", ""},
        {{"--level"}, "", "--level needs a level name"},
        {{"--fullscreen"}, "", "unknown argument \"--fullscreen\""},
        {{"--level", "Credit", "extra"}, "Credit", "unknown argument \"extra\""},
    };
    for (const Case& c : cases)
    {
        std::vector<const char*> argv = {"kesto"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(line.level, c.level);
        EXPECT_EQ(line.error, c.error);
    }
}

} // namespace
} // namespace kesto
