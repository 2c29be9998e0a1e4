#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Runs lasers.
class RaySystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
