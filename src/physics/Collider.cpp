#include "physics/Collider.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"

#include <algorithm>

namespace kesto
{

bool ColliderBox::Overlaps(const ColliderBox& other) const
{
    // Open intervals: equal edges are no contact, and a zero-size box is empty.
    return std::max(left, other.left) < std::min(right, other.right) &&
           std::max(bottom, other.bottom) < std::min(top, other.top);
}

void Collider::Write(JsonWriter& writer) const
{
    writer.WriteVec2("scale", scale);
    writer.WriteVec2("offset", offset);
}

void Collider::Read(JsonReader& reader, SystemRegistry* registry)
{
    Vec2 readScale = scale;
    if (reader.TryReadVec2("scale", readScale))
    {
        if (readScale.x < 0.0f || readScale.y < 0.0f)
        {
            TraceReport(registry, "DATA", reader.SourceName(), "Collider \"scale\" is negative; clamped to 0");
        }
        SetScale(readScale);
    }
    reader.TryReadVec2("offset", offset);
    sizeStale = true;
    boundsStale = true;
}

bool Collider::Equals(const Component& other) const
{
    const auto* collider = dynamic_cast<const Collider*>(&other);
    return collider && collider->scale == scale && collider->offset == offset;
}

void Collider::SetScale(Vec2 value)
{
    scale = {std::max(value.x, 0.0f), std::max(value.y, 0.0f)};
    sizeStale = true;
}

void Collider::SetOffset(Vec2 value)
{
    offset = value;
    sizeStale = true;
}

void Collider::Refresh(const Transform& transform)
{
    if (sizeStale)
    {
        const Vec2 half{transform.GetScale().x * scale.x * 0.5f, transform.GetScale().y * scale.y * 0.5f};
        local = {offset.x - half.x, offset.x + half.x, offset.y - half.y, offset.y + half.y};
        sizeStale = false;
        // A new size moves the world edges even when the entity stayed put.
        boundsStale = true;
    }
    if (boundsStale)
    {
        world = local.Shifted(transform.GetTranslation());
        boundsStale = false;
    }
}

} // namespace kesto
