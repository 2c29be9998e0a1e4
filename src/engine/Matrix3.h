#pragma once

#include "engine/Vector.h"

#include <array>

namespace kesto
{

// Column-major 3x3 matrix for 2D transforms; translation sits in the third column. Uploaded to GL untransposed.
struct Matrix3
{
    std::array<float, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};

    static constexpr Matrix3 Identity() { return {}; }
    static Matrix3 Translation(Vec2 t);
    static Matrix3 Rotation(float radians);
    static Matrix3 Scale(Vec2 s);

    // Element at (row, column).
    constexpr float& At(int row, int column) { return m[column * 3 + row]; }
    constexpr float At(int row, int column) const { return m[column * 3 + row]; }
    constexpr Vec3 Column(int column) const { return {m[column * 3], m[column * 3 + 1], m[column * 3 + 2]}; }

    Matrix3 operator*(const Matrix3& o) const;
    Vec3 operator*(Vec3 v) const;
    // Transforms a point (w = 1).
    Vec2 TransformPoint(Vec2 p) const;
    Matrix3 Inverse() const;

    const float* Data() const { return m.data(); }
};

} // namespace kesto
