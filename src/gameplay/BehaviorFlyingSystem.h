#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Runs the flying enemies.
// Not built yet: its Init and Update do nothing.
class BehaviorFlyingSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
