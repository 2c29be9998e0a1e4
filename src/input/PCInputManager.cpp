#include "input/PCInputManager.h"

#include "input/CursorMapping.h"
#include "input/GlfwKeyboardMouse.h"
#include "input/KeyboardMouseCodes.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <utility>

namespace kesto
{

PCInputManager::PCInputManager() : PCInputManager(std::make_unique<GlfwKeyboardMouse>()) {}

PCInputManager::PCInputManager(std::unique_ptr<KeyboardMouseDevice> keyboardMouse)
    : ownedDevice(std::move(keyboardMouse)), device(ownedDevice.get())
{
}

PCInputManager::PCInputManager(KeyboardMouseDevice& keyboardMouse) : device(&keyboardMouse) {}

PCInputManager::~PCInputManager() = default;

void PCInputManager::Init()
{
    device->Attach(*registry);
    window = device->Window();
}

void PCInputManager::Update(float)
{
    captured.reset();
    scroll = 0;
    device->ApplyCursor(currentCursor);
    ForEachKeyboardMouseCode([this](int code) { captured[static_cast<std::size_t>(code)] = device->IsDown(code); });
    const CursorPixels cursor = device->GetCursor();
    cursorX = cursor.x;
    cursorY = cursor.y;
    // Last, so everything the next frame reads live is one pump ahead of what was just recorded.
    device->PollEvents();
}

bool PCInputManager::WasKeyDown(int code) const
{
    if (edgesSuppressed)
    {
        return IsKeyDown(code);
    }
    return code >= 0 && code < keyboardMouseCodeCount && captured[static_cast<std::size_t>(code)];
}

bool PCInputManager::IsKeyDown(int code) const { return device->IsDown(code); }

bool PCInputManager::IsKeyTriggered(int code) const { return IsKeyDown(code) && !WasKeyDown(code); }

bool PCInputManager::IsKeyReleased(int code) const { return !IsKeyDown(code) && WasKeyDown(code); }

bool PCInputManager::HasCursorMoved() const
{
    const CursorPixels cursor = device->GetCursor();
    return cursor.x != cursorX || cursor.y != cursorY;
}

Vec2 PCInputManager::GetMousePosition() const
{
    const CursorPixels cursor = device->GetCursor();
    const FramebufferSize size = device->GetFramebufferSize();
    return PixelsToScreenUnits(cursor.x, cursor.y, size.width, size.height);
}

Vec2 PCInputManager::GetMousePosition(const Matrix3& cameraProjView, float cameraScreenWidth,
                                      float cameraScreenHeight) const
{
    const CursorPixels cursor = device->GetCursor();
    return PixelsToWorld(cursor.x, cursor.y, cameraProjView, cameraScreenWidth, cameraScreenHeight);
}

void PCInputManager::AddScroll(double steps)
{
    if (!std::isfinite(steps))
    {
        return;
    }
    // Touchpads scroll in fractions of a step; they add up instead of being cut to nothing one by one.
    scrollRemainder += steps;
    const double whole = std::trunc(scrollRemainder);
    scrollRemainder -= whole;
    scroll = static_cast<int>(std::clamp(static_cast<double>(scroll) + whole, -maxScrollSteps, maxScrollSteps));
}

GLFWcursor* PCInputManager::SetCursorShape(int shape)
{
    currentCursor = device->StandardCursor(shape);
    device->ApplyCursor(currentCursor);
    return currentCursor;
}

} // namespace kesto
