#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Moving bodies with a collider: the collision pass resolves them against solids and falling platforms.
// It has no per-frame work and no handler of its own.
class Actor : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
    std::vector<ESystem*> CollisionTargets() override;
};

} // namespace kesto
