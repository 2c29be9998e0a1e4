#include "engine/AssetPath.h"

#include <algorithm>
#include <string>

namespace kesto
{

std::filesystem::path AssetPath(std::string_view path)
{
    std::string normal(path);
    std::replace(normal.begin(), normal.end(), '\\', '/');
    return std::filesystem::path(normal);
}

} // namespace kesto
