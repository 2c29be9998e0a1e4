#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A toggled menu check box.
class CheckBox : public ComponentOf<CheckBox, ComponentType::CheckBox>
{
};

} // namespace kesto
