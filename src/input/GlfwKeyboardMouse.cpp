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
    if (window == nullptr)
    {
        return;
    }
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    ReadCodes();
}

bool GlfwKeyboardMouse::IsDown(int code) const
{
    return code >= 0 && code < keyboardMouseCodeCount && down[static_cast<std::size_t>(code)];
}

void GlfwKeyboardMouse::ReadCodes()
{
    ForEachKeyboardMouseCode(
        [this](int code)
        {
            const int state =
                code <= GLFW_MOUSE_BUTTON_LAST ? glfwGetMouseButton(window, code) : glfwGetKey(window, code);
            down[static_cast<std::size_t>(code)] = state == GLFW_PRESS;
        });
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
        ReadCodes();
    }
}

} // namespace kesto
