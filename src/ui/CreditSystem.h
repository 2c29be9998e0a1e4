#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Scrolls the credits.
// Not built yet: its Init and Update do nothing.
class CreditSystem : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
