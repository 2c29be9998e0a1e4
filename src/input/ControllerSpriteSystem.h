#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Swaps prompt sprites for the device in use.
class ControllerSpriteSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
