#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Hands the first flock controller to the boid system every frame (none when the level has none).
class BoidControllerSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
