#include "physics/Solid.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "physics/Rigidbody.h"

#include <algorithm>
#include <cstddef>

namespace kesto
{

namespace
{

// The side from which a mover whose box was `previous` reached the solid; None when it was already inside.
ContactSide EntrySide(const ColliderBox& previous, const ColliderBox& solid)
{
    ContactSide side = ContactSide::None;
    if (solid.right <= previous.left)
    {
        side = ContactSide::Left;
    }
    if (previous.right <= solid.left)
    {
        side = ContactSide::Right;
    }
    // Checked last so a mover arriving diagonally past a corner lands on it (or bumps under it).
    if (solid.top <= previous.bottom)
    {
        side = ContactSide::Ground;
    }
    if (previous.top <= solid.bottom)
    {
        side = ContactSide::Ceiling;
    }
    return side;
}

// The coordinate that puts the mover's box flush against the solid on `side`.
float FlushCoordinate(ContactSide side, const ColliderBox& local, const ColliderBox& solid)
{
    switch (side)
    {
    case ContactSide::Left:
        return solid.right - local.left;
    case ContactSide::Right:
        return solid.left - local.right;
    case ContactSide::Ceiling:
        return solid.bottom - local.top;
    default:
        return solid.top - local.bottom;
    }
}

// Of two placements on one side, the one further out of the solids.
float FurtherOut(ContactSide side, float earlier, float candidate)
{
    const bool growing = side == ContactSide::Left || side == ContactSide::Ground;
    return growing ? std::max(earlier, candidate) : std::min(earlier, candidate);
}

} // namespace

void Solid::CollisionHandler(Entity self, Entity other) { Resolve(self, other); }

void Solid::Resolve(const Entity& mover, const Entity& solid)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    auto* moverTransform = store.GetComponent<Transform>(mover);
    auto* moverCollider = store.GetComponent<Collider>(mover);
    const auto* solidTransform = store.GetComponent<Transform>(solid);
    auto* solidCollider = store.GetComponent<Collider>(solid);
    if (!moverTransform || !moverCollider || !solidTransform || !solidCollider)
    {
        return;
    }
    moverCollider->Refresh(*moverTransform);
    solidCollider->Refresh(*solidTransform);
    const ColliderBox& local = moverCollider->LocalBox();
    const ColliderBox& box = solidCollider->WorldBox();

    ContactSide side = EntrySide(local.Shifted(moverTransform->GetPreviousTranslation()), box);
    if (side == ContactSide::None)
    {
        moverCollider->embedded = true;
        solidCollider->embedded = true;
        side = ContactSide::Ground;
    }
    else if (!solidCollider->embedded)
    {
        moverCollider->embedded = false;
    }

    const auto index = static_cast<std::size_t>(side);
    float coordinate = FlushCoordinate(side, local, box);
    if (moverCollider->contacts[index])
    {
        coordinate = FurtherOut(side, moverCollider->contactCoordinates[index], coordinate);
    }
    moverCollider->contactCoordinates[index] = coordinate;
    moverCollider->contacts[index] = true;

    const bool horizontal = side == ContactSide::Left || side == ContactSide::Right;
    Vec2 position = moverTransform->GetTranslation();
    (horizontal ? position.x : position.y) = coordinate;
    moverTransform->SetTranslation(position);
    if (auto* body = store.GetComponent<Rigidbody>(mover))
    {
        (horizontal ? body->velocity.x : body->velocity.y) = 0.0f;
    }
    lastSide = side;
}

} // namespace kesto
