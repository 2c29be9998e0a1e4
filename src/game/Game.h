#pragma once

#include "game/CommandLine.h"
#include "game/EngineDef.h"

#include <string>

namespace kesto
{

class SystemRegistry;

// The game on its own content without a window, sound output or GL: levels, archetypes, the art table (without
// images), skeletons, particle templates and key bindings are read from `assetRoot`; input comes from `keyboardMouse`
// and `pad` (not owned). Tools and tests play the real levels headless with it.
EngineDef HeadlessGameDef(std::string assetRoot, KeyboardMouseDevice& keyboardMouse, PadDevice& pad);

// Creates and registers the nineteen engine systems in the game's order, built as `def` says.
void RegisterEngineSystems(SystemRegistry& registry, const EngineDef& def = {});

// The whole program: find the content, register, initialise, run frames until told to stop (or for the frames the
// command line allows), destroy in reverse order. The command line's level, when not empty, is started instead of
// the level default.txt names; its replay is played back (in the replay's own level). Otherwise the last run is kept
// and F8 writes it to the user's replay folder. The player's settings come from and go to the user's configuration
// folder.
int RunGame(const CommandLine& line);

} // namespace kesto
