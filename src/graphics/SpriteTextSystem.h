#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Rewrites every sprite text each frame with the timer readout its id chooses, as minutes:seconds.milliseconds.
class SpriteTextSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;
};

} // namespace kesto
