#pragma once

#include "ecs/ESystem.h"
#include "physics/Collider.h"

namespace kesto
{

// The static world: entities with a `Transform` and a `Collider` but no `Rigidbody`. Movers that overlap a solid
// are pushed back out on the side they came from, and that side is recorded in the mover's contact flags.
class Solid : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
    // `self` is the mover (an entity of the declaring system), `other` the solid.
    void CollisionHandler(Entity self, Entity other) override;

    // Places `mover` against `solid`: on the side it was outside of at its previous position (vertical sides win
    // over horizontal ones), or on top when it was already inside. Zeroes the blocked velocity component and sets
    // the contact flag; of several solids touched on one side in a pass, the one furthest out holds the mover.
    // Also used by falling platforms. Does nothing unless the mover has a `Transform` and a `Collider` and the
    // solid a `Transform` and a `Collider`; a mover without a `Rigidbody` is placed but has no velocity to zero.
    void Resolve(const Entity& mover, const Entity& solid);

    ContactSide lastSide = ContactSide::None; // the side chosen by the last resolution
};

} // namespace kesto
