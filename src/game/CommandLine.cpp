#include "game/CommandLine.h"

#include <string_view>

namespace kesto
{

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i)
    {
        const std::string_view argument = argv[i];
        if (argument == "--level" && i + 1 < argc)
        {
            line.level = argv[++i];
        }
        else if (argument == "--level")
        {
            line.error = "--level needs a level name";
        }
        else
        {
            line.error = "unknown argument \"" + std::string(argument) + "\"";
        }
        if (!line.error.empty())
        {
            break;
        }
    }
    return line;
}

const char* CommandLineUsage() { return "usage: kesto [--level NAME]"; }

} // namespace kesto
