#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Lays out sprite text digits.
class SpriteTextSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
