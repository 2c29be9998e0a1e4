#include "input/GlfwKeyboardMouse.h"

#include "engine/SystemRegistry.h"
#include "graphics/WindowHandler.h"

#include <GLFW/glfw3.h>

namespace kesto
{

void GlfwKeyboardMouse::CursorDestroyer::operator()(GLFWcursor* cursor) const { glfwDestroyCursor(cursor); }

GlfwKeyboardMouse::~GlfwKeyboardMouse() = default;

void GlfwKeyboardMouse::Attach(const SystemRegistry& registry)
{
    window = registry.GetSystem<WindowHandler>()->GetWindow();
}

bool GlfwKeyboardMouse::IsDown(int code) const
{
    if (window == nullptr)
    {
        return false;
    }
    // Codes outside GLFW's ranges would only make GLFW report an invalid enum; they are never down.
    if (code >= 0 && code <= GLFW_MOUSE_BUTTON_LAST)
    {
        return glfwGetMouseButton(window, code) == GLFW_PRESS;
    }
    if (code >= GLFW_KEY_SPACE && code <= GLFW_KEY_LAST)
    {
        return glfwGetKey(window, code) == GLFW_PRESS;
    }
    return false;
}

CursorPixels GlfwKeyboardMouse::GetCursor() const
{
    CursorPixels cursor;
    if (window != nullptr)
    {
        glfwGetCursorPos(window, &cursor.x, &cursor.y);
    }
    return cursor;
}

FramebufferSize GlfwKeyboardMouse::GetFramebufferSize() const
{
    FramebufferSize size;
    if (window != nullptr)
    {
        glfwGetFramebufferSize(window, &size.width, &size.height);
    }
    return size;
}

GLFWcursor* GlfwKeyboardMouse::StandardCursor(int shape)
{
    const auto cached = cursors.find(shape);
    if (cached != cursors.end())
    {
        return cached->second.get();
    }
    // Without a window GLFW may not even be initialised; a failed creation is not cached so it is tried again.
    if (window == nullptr)
    {
        return nullptr;
    }
    GLFWcursor* created = glfwCreateStandardCursor(shape);
    if (created != nullptr)
    {
        cursors.emplace(shape, created);
    }
    return created;
}

void GlfwKeyboardMouse::ApplyCursor(GLFWcursor* cursor)
{
    if (window != nullptr)
    {
        glfwSetCursor(window, cursor);
    }
}

void GlfwKeyboardMouse::PollEvents()
{
    if (window != nullptr)
    {
        glfwPollEvents();
    }
}

} // namespace kesto
