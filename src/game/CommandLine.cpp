#include "game/CommandLine.h"

#include <charconv>
#include <string_view>

namespace kesto
{

namespace
{

// A whole number of frames, 1 or more.
bool ReadFrames(std::string_view text, int& frames)
{
    int read = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), read);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || read <= 0)
    {
        return false;
    }
    frames = read;
    return true;
}

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    for (int i = 1; i < argc && line.error.empty(); ++i)
    {
        const std::string_view argument = argv[i];
        const bool valued = argument == "--level" || argument == "--replay" || argument == "--frames";
        if (!valued)
        {
            line.error = "unknown argument \"" + std::string(argument) + "\"";
            break;
        }
        if (i + 1 >= argc)
        {
            line.error = std::string(argument) + (argument == "--frames"  ? " needs a number of frames"
                                                  : argument == "--level" ? " needs a level name"
                                                                          : " needs a replay file");
            break;
        }
        const std::string_view value = argv[++i];
        if (argument == "--level")
        {
            line.level = value;
        }
        else if (argument == "--replay")
        {
            line.replay = value;
        }
        else if (!ReadFrames(value, line.frames))
        {
            line.error = "--frames needs a whole number above 0, not \"" + std::string(value) + "\"";
        }
    }
    return line;
}

const char* CommandLineUsage() { return "usage: kesto [--level NAME] [--replay FILE] [--frames N]"; }

} // namespace kesto
