#pragma once

#include "ecs/Component.h"

namespace kesto
{

// One member of a boid flock.
class BehaviorBoidComponent : public ComponentOf<BehaviorBoidComponent, ComponentType::BehaviorBoidComponent>
{
};

} // namespace kesto
