#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the Spine skeleton data.
class SpineSourceManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
