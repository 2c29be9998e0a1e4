#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Draws and presents the frame.
class RendererSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}

    // Puts the list into draw order; the order is defined with the renderer's frame.
    void SortRenderList(EntityList&) {}
};

} // namespace kesto
