#pragma once

#include "game/EngineDef.h"

#include <string>

namespace kesto
{

class SystemRegistry;

// Creates and registers the nineteen engine systems in the game's order, built as `def` says.
void RegisterEngineSystems(SystemRegistry& registry, const EngineDef& def = {});

// The whole program: register, initialise, run frames until told to stop, destroy in reverse order. `firstLevel`,
// when not empty, is started instead of the level default.txt names. The player's settings come from and go to the
// user's configuration folder.
int RunGame(const std::string& firstLevel = {});

} // namespace kesto
