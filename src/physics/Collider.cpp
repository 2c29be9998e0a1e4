#include "physics/Collider.h"

#include "ecs/JsonReader.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"

#include <algorithm>

namespace kesto
{

const FieldTable<Collider>& Collider::Fields()
{
    static const FieldTable<Collider> fields{
        Field<&Collider::scale>("scale").Label("Scale").Drag(0.01f).Clamp(0.0f).OnChange(&Collider::MarkSizeStale),
        Field<&Collider::offset>("offset").Label("Offset").Drag(0.1f).OnChange(&Collider::MarkSizeStale),
    };
    return fields;
}

void Collider::Read(JsonReader& reader, SystemRegistry* registry)
{
    Vec2 readScale;
    if (reader.TryReadVec2("scale", readScale) && (readScale.x < 0.0f || readScale.y < 0.0f))
    {
        TraceReport(registry, "DATA", reader.Where(), "Collider \"scale\" is negative; clamped to 0");
    }
    Fields().Read(*this, reader);
    sizeStale = true;
    boundsStale = true;
}

bool ColliderBox::Overlaps(const ColliderBox& other) const
{
    // Open intervals: equal edges are no contact, and a zero-size box is empty.
    return std::max(left, other.left) < std::min(right, other.right) &&
           std::max(bottom, other.bottom) < std::min(top, other.top);
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
