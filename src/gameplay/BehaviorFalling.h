#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A platform that shakes, falls and comes back.
class BehaviorFalling : public ComponentOf<BehaviorFalling, ComponentType::BehaviorFalling>
{
};

} // namespace kesto
