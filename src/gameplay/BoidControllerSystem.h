#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Spawns and steers boid flocks.
class BoidControllerSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
