#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Spawns and steers boid flocks.
// Not built yet: its Init and Update do nothing.
class BoidControllerSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
