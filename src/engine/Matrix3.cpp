#include "engine/Matrix3.h"

#include <cmath>

namespace kesto
{

Matrix3 Matrix3::Translation(Vec2 t)
{
    Matrix3 r;
    r.At(0, 2) = t.x;
    r.At(1, 2) = t.y;
    return r;
}

Matrix3 Matrix3::Rotation(float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    Matrix3 r;
    r.At(0, 0) = c;
    r.At(1, 0) = s;
    r.At(0, 1) = -s;
    r.At(1, 1) = c;
    return r;
}

Matrix3 Matrix3::Scale(Vec2 s)
{
    Matrix3 r;
    r.At(0, 0) = s.x;
    r.At(1, 1) = s.y;
    return r;
}

Matrix3 Matrix3::operator*(const Matrix3& o) const
{
    Matrix3 r;
    for (int row = 0; row < 3; ++row)
    {
        for (int column = 0; column < 3; ++column)
        {
            float sum = 0.0f;
            for (int k = 0; k < 3; ++k)
            {
                sum += At(row, k) * o.At(k, column);
            }
            r.At(row, column) = sum;
        }
    }
    return r;
}

Vec3 Matrix3::operator*(Vec3 v) const
{
    return {At(0, 0) * v.x + At(0, 1) * v.y + At(0, 2) * v.z, At(1, 0) * v.x + At(1, 1) * v.y + At(1, 2) * v.z,
            At(2, 0) * v.x + At(2, 1) * v.y + At(2, 2) * v.z};
}

Vec2 Matrix3::TransformPoint(Vec2 p) const
{
    const Vec3 r = *this * Vec3{p.x, p.y, 1.0f};
    return {r.x, r.y};
}

Matrix3 Matrix3::Inverse() const
{
    const float a = At(0, 0), b = At(0, 1), c = At(0, 2);
    const float d = At(1, 0), e = At(1, 1), f = At(1, 2);
    const float g = At(2, 0), h = At(2, 1), i = At(2, 2);
    const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    Matrix3 r;
    if (det == 0.0f)
    {
        return r;
    }
    const float inv = 1.0f / det;
    r.At(0, 0) = (e * i - f * h) * inv;
    r.At(0, 1) = (c * h - b * i) * inv;
    r.At(0, 2) = (b * f - c * e) * inv;
    r.At(1, 0) = (f * g - d * i) * inv;
    r.At(1, 1) = (a * i - c * g) * inv;
    r.At(1, 2) = (c * d - a * f) * inv;
    r.At(2, 0) = (d * h - e * g) * inv;
    r.At(2, 1) = (b * g - a * h) * inv;
    r.At(2, 2) = (a * e - b * d) * inv;
    return r;
}

} // namespace kesto
