#pragma once

#include "ecs/Component.h"

namespace kesto
{

// The player controller's tunables and state.
class BehaviorPlayer : public ComponentOf<BehaviorPlayer, ComponentType::BehaviorPlayer>
{
};

} // namespace kesto
