#include "ecs/Transform.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

Vec2 NonNegative(Vec2 v) { return {std::max(v.x, 0.0f), std::max(v.y, 0.0f)}; }

} // namespace

const FieldTable<Transform>& Transform::Fields()
{
    // Reading or editing any of the first four marks the matrix stale; "locked" is the editor's own.
    static const FieldTable<Transform> fields(
        {
            Field<&Transform::translation>("translation")
                .Label("Translation")
                .Drag(0.1f)
                .Format("%.3f")
                .OnChange(&Transform::MarkChanged),
            Field<&Transform::rotation>("rotation")
                .Label("Rotation")
                .Drag(0.1f)
                .Format("%.3f")
                .Degrees()
                .OnChange(&Transform::MarkChanged),
            Field<&Transform::scale>("scale").Label("Scale").Drag(0.1f).Format("%.3f").Clamp(0.0f).OnChange(
                &Transform::MarkChanged),
            Field<&Transform::wonky>("wonky").Label("Wonky Scaling").OnChange(&Transform::MarkChanged),
            Field<&Transform::locked>("locked").Label("Locked?"),
        },
        Equality::Never);
    return fields;
}

bool Transform::Inspect(SystemRegistry* registry)
{
    return Fields().InspectOnly(*this, registry, {"locked", "translation", "rotation", "scale", "wonky"});
}

void Transform::SetTranslation(Vec2 value)
{
    translation = value;
    changed = true;
}

void Transform::SetRotation(float radians)
{
    rotation = radians;
    changed = true;
}

void Transform::SetScale(Vec2 value)
{
    scale = NonNegative(value);
    changed = true;
}

void Transform::SetWonky(bool value)
{
    wonky = value;
    changed = true;
}

const Matrix3& Transform::GetMatrix()
{
    if (changed)
    {
        const float c = std::cos(rotation);
        const float s = std::sin(rotation);
        const float sx = scale.x;
        const float sy = scale.y;
        if (wonky)
        {
            matrix.m = {sx * c, sy * s, 0.0f, -sx * s, sy * c, 0.0f, translation.x, translation.y, 1.0f};
        }
        else
        {
            matrix.m = {sx * c, sx * s, 0.0f, -sy * s, sy * c, 0.0f, translation.x, translation.y, 1.0f};
        }
    }
    return matrix;
}

} // namespace kesto
