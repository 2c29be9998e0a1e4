#include "input/PCInputManager.h"

#include "input/CursorMapping.h"
#include "input/GlfwKeyboardMouse.h"

#include <GLFW/glfw3.h>
#include <array>
#include <utility>

namespace kesto
{

namespace
{

// The GLFW key ranges the capture records, in the order they are tested.
struct KeyRange
{
    int first;
    int last;
};

constexpr std::array<KeyRange, 6> capturedKeys{{
    {GLFW_KEY_SPACE, GLFW_KEY_SPACE},
    {GLFW_KEY_APOSTROPHE, GLFW_KEY_APOSTROPHE},
    {GLFW_KEY_COMMA, GLFW_KEY_RIGHT_BRACKET},
    {GLFW_KEY_GRAVE_ACCENT, GLFW_KEY_GRAVE_ACCENT},
    {GLFW_KEY_WORLD_1, GLFW_KEY_WORLD_2},
    {GLFW_KEY_ESCAPE, GLFW_KEY_LAST},
}};

} // namespace

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
    for (int button = 0; button <= GLFW_MOUSE_BUTTON_LAST; ++button)
    {
        captured[static_cast<std::size_t>(button)] = device->IsDown(button);
    }
    for (const KeyRange& range : capturedKeys)
    {
        for (int key = range.first; key <= range.last; ++key)
        {
            captured[static_cast<std::size_t>(key)] = device->IsDown(key);
        }
    }
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
    return code >= 0 && code < codeCount && captured[static_cast<std::size_t>(code)];
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

GLFWcursor* PCInputManager::SetCursorShape(int shape)
{
    currentCursor = device->StandardCursor(shape);
    device->ApplyCursor(currentCursor);
    return currentCursor;
}

} // namespace kesto
