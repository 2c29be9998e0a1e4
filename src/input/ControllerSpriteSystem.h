#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Shows each prompt's gamepad image while the gamepad is in use, and its captured keyboard image otherwise.
class ControllerSpriteSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
