#include "gameplay/Steering.h"

namespace kesto
{

bool MoveTowards(Vec2 position, Vec2 point, float speed, Vec2& velocity)
{
    const Vec2 offset = point - position;
    const float distance = offset.Length();
    if (distance < arrivalDistance)
    {
        velocity = {0.0f, 0.0f};
        return true;
    }
    velocity = offset / distance * speed;
    return false;
}

void FollowPatrol(const std::vector<Vec2>& points, int& index, Vec2 position, float speed, Vec2& velocity)
{
    const int count = static_cast<int>(points.size());
    if (index < 0 || index >= count)
    {
        index = 0;
    }
    if (MoveTowards(position, points[static_cast<std::size_t>(index)], speed, velocity))
    {
        index = (index + 1) % count;
    }
}

Vec2 UnitOrZero(Vec2 v)
{
    const float length = v.Length();
    return length > 0.0f ? v / length : Vec2{};
}

} // namespace kesto
