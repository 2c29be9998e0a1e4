#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Runs falling platforms.
// Not built yet: its Init and Update do nothing.
class BehaviorFallingSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
