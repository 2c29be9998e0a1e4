#include "game/CommandLine.h"
#include "game/Game.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    const kesto::CommandLine line = kesto::ParseCommandLine(argc, argv);
    if (!line.error.empty())
    {
        std::cerr << "kesto: " << line.error << "\n" << kesto::CommandLineUsage() << std::endl;
        return 2;
    }
    // Programming errors (a lookup of a system that was never registered) end the run with their message.
    try
    {
        return kesto::RunGame(line);
    }
    catch (const std::exception& error)
    {
        std::cerr << "kesto: fatal: " << error.what() << std::endl;
        return 1;
    }
}
