#pragma once

#include "engine/Matrix3.h"
#include "engine/Vector.h"
#include "graphics/GlObject.h"

#include <vector>

namespace kesto
{

class Shader;

// One debug line, stored as where it starts, how long it is and which way it points.
struct DebugLine
{
    Vec2 start;
    float length = 0.0f;
    float angle = 0.0f; // radians
    Vec3 color{1.0f, 1.0f, 1.0f};
    float width = 1.0f; // pixels
};

// Lines queued during a frame and drawn in world space with the "DebugLine" program.
class DebugLines
{
public:
    void Add(Vec2 from, Vec2 to, Vec3 color, float width);
    // Four lines around a centre.
    void AddRect(Vec2 centre, float rectWidth, float rectHeight, Vec3 color, float width);
    // A polygon of `segments` sides through the points at `radius` from the centre.
    void AddCircle(Vec2 centre, int segments, Vec3 color, float radius, float width);

    // Draws every queued line through the view matrix; needs the GL context. The shader must be current.
    void Draw(const Shader& shader, const Matrix3& projView);

    std::vector<DebugLine> lines;

private:
    GlVertexArray vertexArray; // the unit line (0, 0) to (1, 0), made at the first draw
    GlBuffer vertexBuffer;
};

} // namespace kesto
