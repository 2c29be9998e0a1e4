#include "graphics/DebugLines.h"

#include "graphics/Shader.h"

#include <cmath>
#include <epoxy/gl.h>
#include <numbers>

namespace kesto
{

void DebugLines::Add(Vec2 from, Vec2 to, Vec3 color, float width)
{
    const Vec2 d = to - from;
    lines.push_back({from, d.Length(), std::atan2(d.y, d.x), color, width});
}

void DebugLines::AddRect(Vec2 centre, float rectWidth, float rectHeight, Vec3 color, float width)
{
    const float w = rectWidth * 0.5f;
    const float h = rectHeight * 0.5f;
    const Vec2 a = centre + Vec2{-w, -h};
    const Vec2 b = centre + Vec2{w, -h};
    const Vec2 c = centre + Vec2{w, h};
    const Vec2 d = centre + Vec2{-w, h};
    Add(a, b, color, width);
    Add(b, c, color, width);
    Add(c, d, color, width);
    Add(d, a, color, width);
}

void DebugLines::AddCircle(Vec2 centre, int segments, Vec3 color, float radius, float width)
{
    if (segments < 1)
    {
        return;
    }
    const float step = 2.0f * std::numbers::pi_v<float> / static_cast<float>(segments);
    for (int i = 0; i < segments; ++i)
    {
        const float a0 = step * static_cast<float>(i);
        const float a1 = step * static_cast<float>(i + 1);
        Add(centre + Vec2{std::cos(a0), std::sin(a0)} * radius, centre + Vec2{std::cos(a1), std::sin(a1)} * radius,
            color, width);
    }
}

void DebugLines::Draw(const Shader& shader, const Matrix3& projView)
{
    if (lines.empty())
    {
        return;
    }
    if (!vertexArray)
    {
        CreateBoundVertexArray(vertexArray, vertexBuffer);
        const float points[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        glBufferData(GL_ARRAY_BUFFER, sizeof points, points, GL_STATIC_DRAW);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
        glEnableVertexAttribArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    glBindVertexArray(vertexArray.Get());
    const int colorLocation = shader.Location("debugColor");
    const int mvpLocation = shader.Location("MVP");
    for (const DebugLine& line : lines)
    {
        glLineWidth(line.width);
        const Matrix3 model =
            Matrix3::Translation(line.start) * Matrix3::Rotation(line.angle) * Matrix3::Scale({line.length, 1.0f});
        Shader::Set(colorLocation, line.color);
        Shader::Set(mvpLocation, projView * model);
        glDrawArrays(GL_LINES, 0, 2);
    }
}

} // namespace kesto
