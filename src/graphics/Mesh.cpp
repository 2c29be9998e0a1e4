#include "graphics/Mesh.h"

#include <cstdint>
#include <epoxy/gl.h>

namespace kesto
{

Mesh::Mesh(float halfWidth, float halfHeight, float u, float v, Vec4 colour) : uExtent(u), vExtent(v)
{
    const float w = halfWidth;
    const float h = halfHeight;
    const auto corner = [&colour](float x, float y, float tu, float tv)
    { return Vertex{x, y, colour.x, colour.y, colour.z, colour.w, tu, tv}; };
    vertices = {corner(-w, h, 0.0f, v),     corner(-w, -h, 0.0f, 0.0f), corner(w, h, u, v),
                corner(-w, -h, 0.0f, 0.0f), corner(w, -h, u, 0.0f),     corner(w, h, u, v)};
}

void Mesh::Draw()
{
    if (vertices.empty())
    {
        return;
    }
    if (!vertexArray)
    {
        CreateBoundVertexArray(vertexArray, vertexBuffer);
        constexpr GLsizei stride = sizeof(Vertex);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(std::uintptr_t{0}));
        glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(std::uintptr_t{8}));
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(std::uintptr_t{24}));
        glEnableVertexAttribArray(0);
        glEnableVertexAttribArray(1);
        glEnableVertexAttribArray(2);
        dirty = true;
    }
    else
    {
        glBindVertexArray(vertexArray.Get());
    }
    if (dirty)
    {
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer.Get());
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
                     GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        dirty = false;
    }
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
}

} // namespace kesto
