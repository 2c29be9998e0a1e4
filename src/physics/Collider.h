#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Axis-aligned box that takes part in the collision pass.
class Collider : public ComponentOf<Collider, ComponentType::Collider>
{
};

} // namespace kesto
