#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Spawns and steers a boid flock.
class BoidControllerComponent : public ComponentOf<BoidControllerComponent, ComponentType::BoidControllerComponent>
{
};

} // namespace kesto
