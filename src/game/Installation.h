#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kesto
{

// The one-line message for a game started without its content: what was not found and every place it was looked
// for, in the order searched.
std::string MissingAssetsMessage(const std::vector<std::filesystem::path>& searched);

} // namespace kesto
