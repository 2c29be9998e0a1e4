#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Reads keyboard and mouse.
class PCInputManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}

    // True in the frame a key goes down; keyboard state arrives with the input layer.
    bool IsKeyTriggered(int) const { return false; }
};

} // namespace kesto
