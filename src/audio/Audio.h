#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

// Plays sound events and owns the audio library.
class Audio : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

} // namespace kesto
