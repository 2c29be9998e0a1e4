#pragma once

#include "ecs/Component.h"

namespace kesto
{

// The filled part of a slider.
class SliderBar : public ComponentOf<SliderBar, ComponentType::SliderBar>
{
};

} // namespace kesto
