#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Moves the respawn point to touched checkpoints.
class CheckpointSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
