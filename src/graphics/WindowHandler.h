#pragma once

#include "engine/ISystem.h"

struct GLFWwindow;

namespace kesto
{

// Owns the window and GL context.
class WindowHandler : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}

    // The game window; null until a window exists.
    GLFWwindow* GetWindow() const { return nullptr; }
};

} // namespace kesto
