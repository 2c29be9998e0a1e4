#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Moves boids.
class BehaviorBoidSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
