// kesto-check: reports every problem the game would skip in an asset folder, one line each, before anyone plays.
#include "check/DataCheck.h"
#include "game/EngineDef.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const std::string usage = "usage: kesto-check [asset folder]   (default: Assets/ in the working folder)";
    if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help")))
    {
        std::cerr << usage << std::endl;
        return argc > 2 ? 2 : 0;
    }
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(argc == 2 ? argv[1] : kesto::EngineDef().assetRoot, error);
    if (!folder.has_filename())
    {
        folder = folder.parent_path();
    }
    if (!std::filesystem::is_directory(folder, error))
    {
        std::cerr << "kesto-check: no asset folder " << folder.string() << std::endl;
        return 1;
    }
    try
    {
        // Data names its files from the folder the game runs in, the one holding the asset folder.
        std::filesystem::current_path(folder.parent_path());
        const std::vector<std::string> problems = kesto::CheckAssets(folder.filename().string() + "/");
        for (const std::string& line : problems)
        {
            std::cout << line << "\n";
        }
        std::cout.flush();
        return problems.empty() ? 0 : 1;
    }
    catch (const std::exception& failure)
    {
        std::cerr << "kesto-check: fatal: " << failure.what() << std::endl;
        return 1;
    }
}
