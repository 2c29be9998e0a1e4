#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Runs the player controller.
class BehaviorPlayerSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
