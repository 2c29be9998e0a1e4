#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A bar that shows a value from 0 to 1.
class ProgressBar : public ComponentOf<ProgressBar, ComponentType::ProgressBar>
{
};

} // namespace kesto
