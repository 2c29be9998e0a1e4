#pragma once

#include "ecs/Component.h"
#include "ui/SliderType.h"

#include <string>

namespace kesto
{

// The track behind a slider; it takes the clicks and drags.
class SliderBackground : public ComponentOf<SliderBackground, ComponentType::SliderBackground>
{
public:
    static const FieldTable<SliderBackground>& Fields();

    std::string defaultSprite; // sprite source name
    std::string pressSprite;   // sprite source name; kept, never shown; an empty one takes defaultSprite
    SliderType type = SliderType::MasterVolume;
};

} // namespace kesto
