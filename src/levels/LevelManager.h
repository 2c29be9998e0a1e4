#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// Loads levels and sublevels and runs the fades between them.
class LevelManager : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
