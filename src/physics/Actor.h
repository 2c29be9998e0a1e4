#pragma once

#include "ecs/ESystem.h"

#include <typeindex>
#include <vector>

namespace kesto
{

// Moving bodies with a collider: the collision pass resolves them against the systems the game names as their
// targets (falling platforms and solids). It has no per-frame work and no handler of its own.
class Actor : public ESystem
{
public:
    // The target systems' types, in the order movers are tested against them; each must be in the store.
    explicit Actor(std::vector<std::type_index> targetTypes);

    void Init() override {}
    void Update(EntityList&, float) override {}
    std::vector<ESystem*> CollisionTargets() override;

private:
    std::vector<std::type_index> targetTypes;
};

} // namespace kesto
