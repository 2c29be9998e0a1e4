#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Moving bodies resolved against solids.
class Actor : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
