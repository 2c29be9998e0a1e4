#pragma once

#include "game/EngineDef.h"

namespace kesto
{

class SystemRegistry;

// Creates and registers the nineteen engine systems in the game's order, built as `def` says.
void RegisterEngineSystems(SystemRegistry& registry, const EngineDef& def = {});

// The whole program: register, initialise, run frames until told to stop, destroy in reverse order.
int RunGame();

} // namespace kesto
