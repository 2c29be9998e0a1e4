#pragma once

#include "input/KeyboardMouseCodes.h"
#include "input/KeyboardMouseDevice.h"

#include <bitset>
#include <map>
#include <memory>

namespace kesto
{

// Keyboard, mouse and cursor of the game window through GLFW. The window comes from WindowHandler at Attach. Every
// call tolerates a missing window: nothing is down, the cursor sits at (0, 0) and no GLFW call is made.
//
// Keys and mouse buttons are sticky (GLFW keeps a press readable once even after its release), and every code is
// read exactly once after each pump, so taps shorter than a frame are seen. Reading a key from GLFW anywhere else
// would use up that one reading: everything asks this device instead.
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

    // Reads every code once, consuming GLFW's sticky state.
    void ReadCodes();

    GLFWwindow* window = nullptr; // owned by WindowHandler
    std::map<int, std::unique_ptr<GLFWcursor, CursorDestroyer>> cursors;
    std::bitset<keyboardMouseCodeCount> down; // as read after the latest pump
};

} // namespace kesto
