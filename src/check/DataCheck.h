#pragma once

#include <string>
#include <vector>

namespace kesto
{

// Checks an asset folder with the game's own readers: the engine is built headless over `assetRoot`, reads its
// tables and archetypes, then loads every level (and with it its sublevels) while its JSON readers also report what
// the game would skip silently. Returns one line per problem (file, JSON path, what the game does), each once, in
// the order found; empty when the folder is clean.
std::vector<std::string> CheckAssets(const std::string& assetRoot);

} // namespace kesto
