#pragma once

#include <GLFW/glfw3.h>
#include <array>

namespace kesto
{

// One past the largest keyboard/mouse code: 0..7 are mouse buttons, 32..348 GLFW keys.
inline constexpr int keyboardMouseCodeCount = GLFW_KEY_LAST + 1;

// Codes 0..7 are mouse buttons; the rest of the code space is keys.
constexpr bool IsMouseButtonCode(int code) { return code >= 0 && code <= GLFW_MOUSE_BUTTON_LAST; }

// Calls visit(code) for every mouse button, then for every GLFW key, in code order. Codes between GLFW's key ranges
// name no key (GLFW reports them as invalid) and are left out.
template <typename Visit> void ForEachKeyboardMouseCode(Visit visit)
{
    struct KeyRange
    {
        int first;
        int last;
    };
    constexpr std::array<KeyRange, 7> ranges{{
        {0, GLFW_MOUSE_BUTTON_LAST},
        {GLFW_KEY_SPACE, GLFW_KEY_SPACE},
        {GLFW_KEY_APOSTROPHE, GLFW_KEY_APOSTROPHE},
        {GLFW_KEY_COMMA, GLFW_KEY_RIGHT_BRACKET},
        {GLFW_KEY_GRAVE_ACCENT, GLFW_KEY_GRAVE_ACCENT},
        {GLFW_KEY_WORLD_1, GLFW_KEY_WORLD_2},
        {GLFW_KEY_ESCAPE, GLFW_KEY_LAST},
    }};
    for (const KeyRange& range : ranges)
    {
        for (int code = range.first; code <= range.last; ++code)
        {
            visit(code);
        }
    }
}

} // namespace kesto
