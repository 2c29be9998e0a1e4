#pragma once

#include <filesystem>
#include <string_view>

namespace kesto
{

// Data files write paths with either separator; both mean a directory boundary on every platform.
std::filesystem::path AssetPath(std::string_view path);

} // namespace kesto
