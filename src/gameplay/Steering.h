#pragma once

#include "engine/Vector.h"

#include <vector>

namespace kesto
{

// Within this distance of a point a mover counts as there.
constexpr float arrivalDistance = 4.0f;

// Sets `velocity` to head for `point` at `speed`, or to rest when within the arrival distance; true on arrival.
bool MoveTowards(Vec2 position, Vec2 point, float speed, Vec2& velocity);

// Heads for points[index] and, on arrival (where it rests for that update), moves `index` on to the next point,
// wrapping to the first. Needs at least one point; an index out of range starts again from the first.
void FollowPatrol(const std::vector<Vec2>& points, int& index, Vec2 position, float speed, Vec2& velocity);

// `v` scaled to length 1; (0, 0) for a zero vector.
Vec2 UnitOrZero(Vec2 v);

} // namespace kesto
