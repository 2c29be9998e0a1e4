#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Plays a sprite sheet frame by frame.
class Animation : public ComponentOf<Animation, ComponentType::Animation>
{
};

} // namespace kesto
