#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Updates and draws particle emitters.
// Not built yet: its Init and Update do nothing.
class ParticleSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
