#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Spins rotating entities at their constant angular speed, turning a light they carry along with them.
class RotatorSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
