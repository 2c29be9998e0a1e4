#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Integrates every body with a `Rigidbody` and a `Transform` (semi-implicit Euler). It only moves bodies;
// `CollisionSystem` pushes them out of solids later in the same frame, using the previous position kept here.
class Physics : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
