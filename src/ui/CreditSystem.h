#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Scrolls the credits.
class CreditSystem : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
