#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Advances the skeletons of Spine sprites with the world's time, so slow motion, pauses and frame freezes hold
// them as they hold frame animations. Posing in world space and drawing are the renderer's.
class SpineSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
