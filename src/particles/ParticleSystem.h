#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Updates and draws particle emitters.
class ParticleSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
