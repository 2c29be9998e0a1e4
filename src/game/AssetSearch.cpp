#include "game/AssetSearch.h"

#include "game/EngineDef.h"

#include <system_error>

namespace kesto
{

namespace fs = std::filesystem;

AssetSearch SearchAssets(const fs::path& executableFolder, const fs::path& workingFolder)
{
    AssetSearch search;
    const fs::path root = fs::path(defaultAssetRoot).parent_path();
    if (!executableFolder.empty())
    {
        search.searched.push_back(executableFolder / root);
        search.searched.push_back((executableFolder / ".." / "share" / "kesto" / root).lexically_normal());
    }
    if (!workingFolder.empty())
    {
        search.searched.push_back(workingFolder / root);
    }
    for (const fs::path& folder : search.searched)
    {
        std::error_code error;
        if (fs::is_regular_file(folder / "Data" / "Levels" / "default.txt", error))
        {
            search.found = folder;
            break;
        }
    }
    return search;
}

fs::path ExecutableFolder()
{
    std::error_code error;
    // Linux names the running executable here; elsewhere the search goes on with the working folder.
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

} // namespace kesto
