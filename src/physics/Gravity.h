#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Constant acceleration applied to a rigidbody.
class Gravity : public ComponentOf<Gravity, ComponentType::Gravity>
{
};

} // namespace kesto
