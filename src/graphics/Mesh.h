#pragma once

#include "engine/Vector.h"
#include "graphics/GlObject.h"

#include <vector>

namespace kesto
{

// One interleaved vertex: attribute 0 position, 1 colour, 2 texture coordinates (32 bytes).
struct Vertex
{
    float x = 0.0f;
    float y = 0.0f;
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};
static_assert(sizeof(Vertex) == 32, "vertices are uploaded as 8 packed floats");

// A textured quad (two triangles). Its GL objects are made at the first draw, so meshes can be built and shared
// before a context exists; the CPU copy is uploaded again whenever it is marked dirty.
class Mesh
{
public:
    // The quad of half size (halfWidth, halfHeight) centred on the origin, texture coordinates 0..uExtent and
    // 0..vExtent, every vertex of the given colour.
    Mesh(float halfWidth, float halfHeight, float uExtent, float vExtent, Vec4 colour);

    // Needs the GL context; nothing is drawn for a mesh without vertices.
    void Draw();

    std::vector<Vertex> vertices;
    float uExtent = 1.0f; // largest u of the quad
    float vExtent = 1.0f; // largest v of the quad
    bool dirty = true;    // the CPU copy must be uploaded before the next draw

private:
    GlVertexArray vertexArray;
    GlBuffer vertexBuffer;
};

} // namespace kesto
