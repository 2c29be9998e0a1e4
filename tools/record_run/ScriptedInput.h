#pragma once

#include "input/KeyboardMouseDevice.h"
#include "input/PadDevice.h"

#include <istream>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kesto::tools
{

// One row of an input script: these keys held for this long.
struct HeldKeys
{
    double seconds = 0.0;
    std::set<int> keys; // keyboard codes
};

// Reads "<seconds> [key...]" rows ('#' starts a comment); keys by name (Left, Right, Up, Down, Space, Shift,
// Control, Escape, A..Z) or by code. Nothing, with `error` set to "line N: what", when a row is wrong.
std::optional<std::vector<HeldKeys>> ReadInputScript(std::istream& in, std::string& error);

// A keyboard whose held keys the tool sets between frames; like a window's, a change is seen after the next pump.
// No mouse moves and no window exists.
class ScriptedKeyboard : public KeyboardMouseDevice
{
public:
    void Hold(const std::set<int>& keys) { next = keys; }

    void Attach(const SystemRegistry&) override {}
    GLFWwindow* Window() const override { return nullptr; }
    bool IsDown(int code) const override { return held.contains(code); }
    CursorPixels GetCursor() const override { return {960.0, 540.0}; }
    FramebufferSize GetFramebufferSize() const override { return {1920, 1080}; }
    GLFWcursor* StandardCursor(int) override { return nullptr; }
    void ApplyCursor(GLFWcursor*) override {}
    void PollEvents() override { held = next; }

private:
    std::set<int> held;
    std::set<int> next;
};

// No pad is connected.
class NoPad : public PadDevice
{
public:
    gamepad::GamepadResult GetState(gamepad::GamepadState& state) override
    {
        state = {};
        return gamepad::GamepadResult::DeviceNotConnected;
    }
    gamepad::GamepadResult SetState(const gamepad::GamepadVibration&) override
    {
        return gamepad::GamepadResult::DeviceNotConnected;
    }
};

} // namespace kesto::tools
