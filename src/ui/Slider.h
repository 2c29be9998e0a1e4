#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"
#include "ui/SliderType.h"

namespace kesto
{

// A draggable menu slider: the knob, holding the value range and the current value.
class Slider : public ComponentOf<Slider, ComponentType::Slider>
{
public:
    static const FieldTable<Slider>& Fields();

    float min = 0.0f;
    float max = 1.0f;
    float current = 0.0f; // within [min, max]
    SliderType type = SliderType::MasterVolume;
    // Taken from the background of the same type at every visual pass, in screen units.
    Vec2 trackLeft{0.0f, 0.0f};
    Vec2 trackRight{1.0f, 0.0f};
    Vec2 knob{1.0f, 0.0f};
};

} // namespace kesto
