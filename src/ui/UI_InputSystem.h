#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Routes mouse and gamepad input to UI elements.
class UI_InputSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
