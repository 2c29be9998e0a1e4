#pragma once

#include "engine/ISystem.h"

namespace kesto
{

// The view: position, zoom, bounds, follow and shake.
class Camera : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}
};

} // namespace kesto
