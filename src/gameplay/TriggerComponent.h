#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A trigger volume's list of scripted functions.
class TriggerComponent : public ComponentOf<TriggerComponent, ComponentType::TriggerComponent>
{
};

} // namespace kesto
