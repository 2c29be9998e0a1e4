#include "ecs/Transform.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

Vec2 NonNegative(Vec2 v) { return {std::max(v.x, 0.0f), std::max(v.y, 0.0f)}; }

} // namespace

void Transform::Write(JsonWriter& writer) const
{
    writer.WriteVec2("translation", translation);
    writer.WriteFloat("rotation", rotation);
    writer.WriteVec2("scale", scale);
    writer.WriteBool("wonky", wonky);
    writer.WriteBool("locked", locked);
}

bool Transform::Inspect() { return false; }

void Transform::Read(JsonReader& reader, SystemRegistry*)
{
    changed |= reader.TryReadVec2("translation", translation);
    changed |= reader.TryReadFloat("rotation", rotation);
    if (reader.TryReadVec2("scale", scale))
    {
        scale = NonNegative(scale);
        changed = true;
    }
    changed |= reader.TryReadBool("wonky", wonky);
    reader.TryReadBool("locked", locked);
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
