#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Velocity, acceleration and drag of a moving body.
class Rigidbody : public ComponentOf<Rigidbody, ComponentType::Rigidbody>
{
};

} // namespace kesto
