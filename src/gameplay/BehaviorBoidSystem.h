#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Moves boids.
// Not built yet: its Init and Update do nothing.
class BehaviorBoidSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
