#pragma once

#include <string>
#include <vector>

namespace kesto
{

class SystemRegistry;

// The levels the current level's trigger volumes lead to ("Change Level" functions), in entity order: its exits.
std::vector<std::string> LevelExits(const SystemRegistry& registry);

// Whether the level manager is on its way to (or already in) one of `exits`.
bool IsLeavingBy(const SystemRegistry& registry, const std::vector<std::string>& exits);

} // namespace kesto
