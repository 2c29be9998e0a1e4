#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Fires trigger volumes' scripted functions.
// Not built yet: its Init and Update do nothing.
class Trigger : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
