#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// The speed-run timer and its splits.
// Not built yet: its Init and Update do nothing.
class TimerSystem : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
