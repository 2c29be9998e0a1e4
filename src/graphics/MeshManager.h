#pragma once

#include "engine/ISystem.h"
#include "graphics/Mesh.h"

#include <list>

namespace kesto
{

// Owns the sprite quads, one per pair of texture extents; a mesh lives (at a fixed address) until shutdown.
class MeshManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}

    // The unit quad whose texture coordinates run to (uExtent, vExtent), made on the first request.
    // (1, 1) is a whole texture; (1 / columns, 1 / rows) is one cell of a sheet.
    Mesh& Get(float uExtent, float vExtent);

    const std::list<Mesh>& Meshes() const { return meshes; }

private:
    std::list<Mesh> meshes; // list nodes never move, so references handed out stay valid
};

} // namespace kesto
