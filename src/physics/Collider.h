#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kesto
{

class Transform;

// Edges of an axis-aligned box, in world units.
struct ColliderBox
{
    float left = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float top = 0.0f;

    ColliderBox Shifted(Vec2 by) const { return {left + by.x, right + by.x, bottom + by.y, top + by.y}; }
    // Strict on every side: boxes that only share an edge do not overlap, and an empty box overlaps nothing.
    bool Overlaps(const ColliderBox& other) const;
};

// The side of a mover on which it touched a solid; the values index the contact arrays.
enum class ContactSide : std::uint8_t
{
    Left = 0,    // the solid is to the mover's left
    Right = 1,   // the solid is to the mover's right
    Ground = 2,  // the solid is below: the mover landed
    Ceiling = 3, // the solid is above
    None = 4,
};

constexpr int contactSideCount = 4;

// Axis-aligned box that takes part in the collision pass, sized relative to the entity's `Transform`.
// The boxes are derived lazily: set `sizeStale` after resizing the transform and `boundsStale` after moving it,
// then `Refresh` before reading them.
class Collider : public ComponentOf<Collider, ComponentType::Collider>
{
public:
    static const FieldTable<Collider>& Fields();
    // A negative "scale" component is reported and clamped to 0; both boxes become stale.
    void Read(JsonReader& reader, SystemRegistry* registry) override;

    Vec2 GetScale() const { return scale; }
    Vec2 GetOffset() const { return offset; }
    // Clamps each component to 0 or more; both setters mark the size stale.
    void SetScale(Vec2 value);
    void SetOffset(Vec2 value);
    void MarkSizeStale() { sizeStale = true; }

    // Recomputes the local box when the size is stale, and the world box when either is stale.
    void Refresh(const Transform& transform);
    const ColliderBox& WorldBox() const { return world; }
    const ColliderBox& LocalBox() const { return local; } // relative to the transform position

    bool IsTouching(ContactSide side) const { return contacts[static_cast<std::size_t>(side)]; }
    void ClearContacts() { contacts = {}; }

    bool boundsStale = true; // the world box must follow the transform position
    bool sizeStale = true;   // the local box must follow the transform scale, scale or offset
    bool embedded = false;   // a resolution found this mover already inside a solid
    bool disabled = false;   // neither tested as a mover nor as a target
    // Sides touched during the current collision pass, indexed by `ContactSide`.
    std::array<bool, contactSideCount> contacts{};
    // The position coordinate each touched side settled on: x for Left/Right, y for Ground/Ceiling.
    std::array<float, contactSideCount> contactCoordinates{};

private:
    Vec2 scale{1.0f, 1.0f};  // box size as a fraction of the transform scale; never negative
    Vec2 offset{0.0f, 0.0f}; // box centre relative to the transform position, world units
    ColliderBox world;
    ColliderBox local;
};

} // namespace kesto
