#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A point or cone light gathered by the renderer each frame.
class LightSource : public ComponentOf<LightSource, ComponentType::LightSource>
{
};

} // namespace kesto
