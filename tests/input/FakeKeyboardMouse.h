#pragma once

#include "input/KeyboardMouseDevice.h"

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace kesto::test
{

// Keyboard and mouse driven by the test. Presses and releases wait for the next PollEvents, as window events do,
// and a code pressed during a pump reads down until the next pump even when it was released within it, as GLFW's
// sticky keys read once per pump do. The cursor and framebuffer size read as set.
class FakeKeyboardMouse : public KeyboardMouseDevice
{
public:
    void Press(int code) { events.emplace_back(code, true); }
    void Release(int code) { events.emplace_back(code, false); }
    // Pressed and released before the next pump: shorter than a frame.
    void Tap(int code)
    {
        Press(code);
        Release(code);
    }

    void Attach(const SystemRegistry&) override { ++attachCount; }
    GLFWwindow* Window() const override { return nullptr; }

    bool IsDown(int code) const override { return down.contains(code) || pressedInPump.contains(code); }
    CursorPixels GetCursor() const override { return cursor; }
    FramebufferSize GetFramebufferSize() const override { return framebuffer; }

    // Hands out a distinct stand-in handle per shape; it is never dereferenced.
    GLFWcursor* StandardCursor(int shape) override
    {
        auto found = cursors.find(shape);
        if (found == cursors.end())
        {
            found = cursors.emplace(shape, std::make_unique<char>()).first;
            createdShapes.push_back(shape);
        }
        return reinterpret_cast<GLFWcursor*>(found->second.get());
    }
    void ApplyCursor(GLFWcursor* shown) override { appliedCursors.push_back(shown); }
    void PollEvents() override
    {
        ++pollCount;
        pressedInPump.clear();
        for (const auto& [code, pressed] : events)
        {
            if (pressed)
            {
                down.insert(code);
                pressedInPump.insert(code);
            }
            else
            {
                down.erase(code);
            }
        }
        events.clear();
    }

    CursorPixels cursor;
    FramebufferSize framebuffer{1920, 1080};
    int attachCount = 0;
    int pollCount = 0;
    std::vector<int> createdShapes;
    std::vector<GLFWcursor*> appliedCursors;

private:
    std::set<int> down;
    std::set<int> pressedInPump;
    std::vector<std::pair<int, bool>> events;
    std::map<int, std::unique_ptr<char>> cursors;
};

} // namespace kesto::test
