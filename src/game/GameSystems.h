#pragma once

#include "ecs/ECS.h"
#include "game/EngineDef.h"

namespace kesto
{

// Adds the game's twenty-three component systems with their signatures and modes, in update order.
void AddGameSystems(SystemStore& store, const EngineDef& def);

// The game's entity world: its component classes, its component systems, the F1 debug-draw toggle at the start of
// every frame and the renderer's draw-order sort.
EcsDef GameEcsDef(const EngineDef& def);

} // namespace kesto
