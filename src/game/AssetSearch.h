#pragma once

#include <filesystem>
#include <vector>

namespace kesto
{

// Where the game looked for its content folder and where it found it.
struct AssetSearch
{
    std::vector<std::filesystem::path> searched; // the folders tried, in order, each one that would hold the content
    std::filesystem::path found;                 // the first that holds it; empty when none does
};

// Looks for the content folder beside the executable, then in the installation prefix's share/kesto/ (the executable
// being in the prefix's bin/), then in the working folder. A folder holds the content when its level list's
// default.txt is there.
AssetSearch SearchAssets(const std::filesystem::path& executableFolder, const std::filesystem::path& workingFolder);

// The folder of the running executable; empty when the system does not say.
std::filesystem::path ExecutableFolder();

} // namespace kesto
