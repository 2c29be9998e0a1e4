#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Owns the textures and sprite sheets.
class SpriteSourceManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
