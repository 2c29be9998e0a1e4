#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Runs lasers.
// Not built yet: its Init and Update do nothing.
class RaySystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
