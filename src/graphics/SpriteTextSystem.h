#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Lays out sprite text digits.
// Not built yet: its Init and Update do nothing.
class SpriteTextSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
