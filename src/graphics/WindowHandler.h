#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the window and GL context.
class WindowHandler : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
