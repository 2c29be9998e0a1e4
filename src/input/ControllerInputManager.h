#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Reads the gamepad.
class ControllerInputManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
