#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Runs splash and cinematic screens.
// Not built yet: its Init and Update do nothing.
class CutsceneSystem : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
