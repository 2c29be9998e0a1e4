#pragma once

#include "ecs/Entity.h"

#include <string>
#include <vector>

namespace kesto
{

class SystemRegistry;

// The edited content of the level and its sublevels at one moment, in the level file's own form, so that restoring
// it builds the entities exactly as loading the saved files would.
struct LevelSnapshot
{
    std::vector<std::string> groups;    // per entity group of the level manager: the entities as a level file's text
    std::vector<std::string> sublevels; // the level manager's sublevel names, aligned with groups 1, 2, ...
    int selectedGroup = -1;             // where the selection was; -1 for none
    int selectedIndex = -1;
};

// Captures the level manager's groups and where `selection` is among them.
LevelSnapshot CaptureLevel(SystemRegistry& registry, const Entity& selection);

// Destroys every entity of the level manager's groups and builds them again from the snapshot; returns the entity
// that was selected (Entity::None() for none).
Entity RestoreLevel(SystemRegistry& registry, const LevelSnapshot& snapshot);

} // namespace kesto
