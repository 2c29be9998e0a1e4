#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Routes mouse and gamepad input to UI elements and keeps their visuals (progress bars) current.
class UI_InputSystem : public ESystem
{
public:
    // Binds "leftClick" and "rightClick".
    void Init() override;
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
