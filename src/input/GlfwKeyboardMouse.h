#pragma once

#include "input/KeyboardMouseDevice.h"

#include <map>
#include <memory>

namespace kesto
{

// Keyboard, mouse and cursor of the game window through GLFW. The window comes from WindowHandler at Attach. Every
// call tolerates a missing window: nothing is down, the cursor sits at (0, 0) and no GLFW call is made.
class GlfwKeyboardMouse : public KeyboardMouseDevice
{
public:
    GlfwKeyboardMouse() = default;
    // Destroys the standard cursors it made; GLFW must still be running, which it is while WindowHandler lives.
    ~GlfwKeyboardMouse() override;
    GlfwKeyboardMouse(const GlfwKeyboardMouse&) = delete;
    GlfwKeyboardMouse& operator=(const GlfwKeyboardMouse&) = delete;

    void Attach(const SystemRegistry& registry) override;
    GLFWwindow* Window() const override { return window; }

    bool IsDown(int code) const override;
    CursorPixels GetCursor() const override;
    FramebufferSize GetFramebufferSize() const override;

    GLFWcursor* StandardCursor(int shape) override;
    void ApplyCursor(GLFWcursor* cursor) override;
    void PollEvents() override;

private:
    struct CursorDestroyer
    {
        void operator()(GLFWcursor* cursor) const;
    };

    GLFWwindow* window = nullptr; // owned by WindowHandler
    std::map<int, std::unique_ptr<GLFWcursor, CursorDestroyer>> cursors;
};

} // namespace kesto
