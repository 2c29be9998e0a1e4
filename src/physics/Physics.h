#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Integrates rigidbodies.
class Physics : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
