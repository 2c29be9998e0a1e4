#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Flashes lights.
// Not built yet: its Init and Update do nothing.
class FlashingLightSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
