#pragma once

#include "ecs/Component.h"

namespace kesto
{

// The track behind a slider.
class SliderBackground : public ComponentOf<SliderBackground, ComponentType::SliderBackground>
{
};

} // namespace kesto
