#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Static bodies that actors collide with.
class Solid : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
