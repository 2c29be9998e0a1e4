#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Opens and closes the pause menu.
// Not built yet: its Init and Update do nothing.
class PauseSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}

    bool allowPause = true; // cleared by scripted sequences that must not be interrupted
};

} // namespace kesto
