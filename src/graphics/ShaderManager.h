#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the GPU programs.
class ShaderManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
