#include "engine/AssetPath.h"

#include <algorithm>

namespace kesto
{

std::filesystem::path AssetPath(std::string_view path)
{
    std::string normal(path);
    std::replace(normal.begin(), normal.end(), '\\', '/');
    return std::filesystem::path(normal);
}

std::string UnderAssetRoot(std::string_view assetRoot, std::string_view relative)
{
    if (assetRoot.empty())
    {
        return {};
    }
    std::string path(assetRoot);
    if (path.back() != '/' && path.back() != '\\')
    {
        path += '/';
    }
    path += relative;
    return path;
}

} // namespace kesto
