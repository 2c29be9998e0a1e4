#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A beam that pulses or patrols.
class Laser : public ComponentOf<Laser, ComponentType::Laser>
{
};

} // namespace kesto
