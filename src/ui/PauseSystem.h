#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Opens and closes the pause menu.
class PauseSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
