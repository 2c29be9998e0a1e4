#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Owns an entity's named particle emissions.
class ParticleEmitter : public ComponentOf<ParticleEmitter, ComponentType::ParticleEmitter>
{
};

} // namespace kesto
