#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kesto
{

// Data files write paths with either separator; both mean a directory boundary on every platform.
std::filesystem::path AssetPath(std::string_view path);

// A file or folder under the asset root, as a string systems keep and report; empty when the root is empty (an
// engine built without content reads no files).
std::string UnderAssetRoot(std::string_view assetRoot, std::string_view relative);

} // namespace kesto
