#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the particle templates.
// Not built yet: its Init and Update do nothing.
class ParticleTemplateManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
