#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Swaps a prompt sprite between keyboard and gamepad art.
class ControllerSprite : public ComponentOf<ControllerSprite, ComponentType::ControllerSprite>
{
};

} // namespace kesto
