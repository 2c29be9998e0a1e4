#include "graphics/MeshManager.h"

namespace kesto
{

Mesh& MeshManager::Get(float uExtent, float vExtent)
{
    for (Mesh& mesh : meshes)
    {
        // Exact comparison on purpose: callers ask with the same computed extents.
        if (mesh.uExtent == uExtent && mesh.vExtent == vExtent)
        {
            return mesh;
        }
    }
    return meshes.emplace_back(0.5f, 0.5f, uExtent, vExtent, Vec4{1.0f, 0.0f, 0.0f, 1.0f});
}

} // namespace kesto
