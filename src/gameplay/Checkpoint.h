#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Moves the respawn point when the player touches it.
class Checkpoint : public ComponentOf<Checkpoint, ComponentType::Checkpoint>
{
public:
    // No inspector widgets.
    static const FieldTable<Checkpoint>& Fields();

    bool activated = false; // the one lit checkpoint; a level may start with one lit
};

} // namespace kesto
