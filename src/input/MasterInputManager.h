#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Named actions bound to keys and pad inputs.
class MasterInputManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
