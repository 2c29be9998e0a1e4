#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// The collision pass between systems.
class CollisionSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
