#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Advances frame animations.
class AnimationSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
