#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Queues sound events and parameters for an entity.
class SoundEmitter : public ComponentOf<SoundEmitter, ComponentType::SoundEmitter>
{
};

} // namespace kesto
