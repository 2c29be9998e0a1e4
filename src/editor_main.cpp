#include "game/CommandLine.h"
#include "game/EditorApp.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    const kesto::CommandLine line = kesto::ParseCommandLine(argc, argv);
    if (!line.error.empty())
    {
        std::cerr << "kesto-editor: " << line.error << "\nusage: kesto-editor [--level NAME]" << std::endl;
        return 2;
    }
    try
    {
        return kesto::RunEditor(line.level);
    }
    catch (const std::exception& error)
    {
        std::cerr << "kesto-editor: fatal: " << error.what() << std::endl;
        return 1;
    }
}
