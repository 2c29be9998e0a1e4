#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Marks an entity as a UI element in screen units.
class UI : public ComponentOf<UI, ComponentType::UI>
{
};

} // namespace kesto
