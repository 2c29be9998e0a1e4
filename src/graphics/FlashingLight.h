#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Makes a light or sprite flash on a schedule.
class FlashingLight : public ComponentOf<FlashingLight, ComponentType::FlashingLight>
{
};

} // namespace kesto
