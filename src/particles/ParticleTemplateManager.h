#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the particle templates.
class ParticleTemplateManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
