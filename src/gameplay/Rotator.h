#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Spins an entity and its light.
class Rotator : public ComponentOf<Rotator, ComponentType::Rotator>
{
};

} // namespace kesto
