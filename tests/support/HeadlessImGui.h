#pragma once

#include <functional>

struct ImGuiContext;

namespace kesto::test
{

// A Dear ImGui context without a window or renderer, for driving inspectors from tests. Every frame draws one
// fixed window filling the display; its rows are laid out by ImGui's default style, so a test can aim the mouse
// at the n-th widget row.
class HeadlessImGui
{
public:
    HeadlessImGui();
    ~HeadlessImGui();
    HeadlessImGui(const HeadlessImGui&) = delete;
    HeadlessImGui& operator=(const HeadlessImGui&) = delete;

    // One frame: `draw` runs inside the window; returns what it returned.
    bool Frame(const std::function<bool()>& draw);
    // Clicks (press in one frame, release in the next) at the centre of widget row `row`, `x` pixels from the left
    // edge of the window; true when `draw` reported a change in either frame.
    bool Click(int row, float x, const std::function<bool()>& draw);
    // Drags the widget of row `row` by `pixels` to the right over three frames; true when a change was reported.
    bool Drag(int row, float pixels, const std::function<bool()>& draw);

private:
    float RowY(int row) const;

    ImGuiContext* context = nullptr;
};

} // namespace kesto::test
