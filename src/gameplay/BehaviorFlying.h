#pragma once

#include "ecs/Component.h"

namespace kesto
{

// The flying enemy's tunables and state.
class BehaviorFlying : public ComponentOf<BehaviorFlying, ComponentType::BehaviorFlying>
{
};

} // namespace kesto
