#pragma once

#include <string>

namespace kesto
{

// What the command line asks of the game: `kesto [--level NAME] [--replay FILE] [--frames N]`.
struct CommandLine
{
    std::string level;  // start in this level rather than the one default.txt names; empty: default.txt's
    std::string replay; // play this recorded run back (it starts in its own level); empty: none
    int frames = 0;     // stop after this many frames; 0: run until the player quits
    std::string error;  // not empty when the arguments were not understood: what was wrong
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// One line describing the arguments, for a misuse.
const char* CommandLineUsage();

} // namespace kesto
