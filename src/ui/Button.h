#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A clickable menu button.
class Button : public ComponentOf<Button, ComponentType::Button>
{
};

} // namespace kesto
