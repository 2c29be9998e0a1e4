#include "levels/GameStates.h"

#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

namespace kesto
{

void InGame::Init()
{
    // The log must exist before the game runs; a missing one is a startup fault caught here.
    registry->GetSystem<Trace>();
}

} // namespace kesto
