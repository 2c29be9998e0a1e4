#pragma once

#include "engine/Vector.h"

#include <vector>

namespace kesto
{

class EntityList;
class EntityStore;
class SystemStore;

// A rectangle outline for the renderer's debug overlay (F1), in world units.
struct DebugBox
{
    Vec2 centre;
    Vec2 size;
    Vec3 colour;
    float width = 2.0f; // line width in pixels
};

// A line for the renderer's debug overlay, in world units.
struct DebugSegment
{
    Vec2 from;
    Vec2 to;
    Vec3 colour;
    float width = 2.0f; // line width in pixels
};

// The green collider outlines for this frame, one per entity the collision pass visits: every entity of a system
// that requires a `Collider` (disabled or not), then the enabled colliders of their target systems. Each is
// centred on position + offset and sized transform scale × collider scale.
std::vector<DebugBox> ColliderDebugBoxes(EntityStore& store, SystemStore& systems);

// The magenta velocity lines of the bodies `Physics` moves: from the position along a fifth of the velocity.
std::vector<DebugSegment> VelocityDebugLines(EntityList& bodies, const EntityStore& store);

} // namespace kesto
