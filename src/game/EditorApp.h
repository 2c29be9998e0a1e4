#pragma once

#include <string>

namespace kesto
{

// The level editor: the game's engine in editor mode (kept there by the level manager), with the editor's windows.
// `firstLevel`, when not empty, is opened instead of the level default.txt names. Returns the process's exit code.
int RunEditor(const std::string& firstLevel = {});

} // namespace kesto
