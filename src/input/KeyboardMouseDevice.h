#pragma once

struct GLFWwindow;
struct GLFWcursor;

namespace kesto
{

class SystemRegistry;

// Cursor position in window pixels, origin top-left, y down.
struct CursorPixels
{
    double x = 0.0;
    double y = 0.0;
};

// Size of the window's framebuffer in pixels.
struct FramebufferSize
{
    int width = 0;
    int height = 0;
};

// The keyboard, mouse and window cursor as PCInputManager sees them. The game uses GLFW; tests drive a fake.
// Codes share one space: 0..7 are mouse buttons, 32..348 GLFW keys; anything else is never down.
class KeyboardMouseDevice
{
public:
    virtual ~KeyboardMouseDevice() = default;

    // Takes what the device needs from the running engine; called once from PCInputManager::Init.
    virtual void Attach(const SystemRegistry& registry) = 0;
    // The window the device reads; null when there is none.
    virtual GLFWwindow* Window() const = 0;

    // Down as of the latest PollEvents: held when it ended, or pressed at any moment while it ran, so a tap that
    // began and ended within one pump still reads down until the next pump.
    virtual bool IsDown(int code) const = 0;
    virtual CursorPixels GetCursor() const = 0;
    virtual FramebufferSize GetFramebufferSize() const = 0;

    // The standard cursor of a GLFW shape, created on first use and owned by the device until it is destroyed;
    // null when it cannot be made.
    virtual GLFWcursor* StandardCursor(int shape) = 0;
    // Shows `cursor` over the window; null means the system's default arrow.
    virtual void ApplyCursor(GLFWcursor* cursor) = 0;
    // Pumps the window's event queue, which is when live state and callbacks advance.
    virtual void PollEvents() = 0;
};

} // namespace kesto
