#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the quad meshes.
class MeshManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
