#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the Spine skeleton data.
// Not built yet: its Init and Update do nothing.
class SpineSourceManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
