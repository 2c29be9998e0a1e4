#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"
#include "ui/SliderType.h"

namespace kesto
{

// The filled part of a slider, growing from the track's left end to the knob.
class SliderBar : public ComponentOf<SliderBar, ComponentType::SliderBar>
{
public:
    static const FieldTable<SliderBar>& Fields();

    SliderType type = SliderType::MasterVolume;
    Vec2 fullSize{}; // the background's scale, copied at every visual pass
};

} // namespace kesto
