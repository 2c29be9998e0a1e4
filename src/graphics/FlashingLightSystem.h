#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Flashes lights.
class FlashingLightSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
