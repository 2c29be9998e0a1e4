#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A draggable menu slider.
class Slider : public ComponentOf<Slider, ComponentType::Slider>
{
};

} // namespace kesto
