#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Moves the respawn point to touched checkpoints.
// Not built yet: its Init and Update do nothing.
class CheckpointSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
