#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Runs splash and cinematic screens.
class CutsceneSystem : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
