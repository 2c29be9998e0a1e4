#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Spins rotating entities.
// Not built yet: its Init and Update do nothing.
class RotatorSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
