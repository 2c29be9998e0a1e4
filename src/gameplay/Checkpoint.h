#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Moves the respawn point when the player touches it.
class Checkpoint : public ComponentOf<Checkpoint, ComponentType::Checkpoint>
{
};

} // namespace kesto
