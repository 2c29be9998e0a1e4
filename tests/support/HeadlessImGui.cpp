#include "support/HeadlessImGui.h"

#include <imgui.h>

namespace kesto::test
{

namespace
{

constexpr float displayWidth = 800.0f;
constexpr float displayHeight = 600.0f;
constexpr float dragStartX = 40.0f; // inside every drag and input, left of its label

} // namespace

HeadlessImGui::HeadlessImGui() : context(ImGui::CreateContext())
{
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.DisplaySize = {displayWidth, displayHeight};
    io.DeltaTime = 1.0f / 60.0f;
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    // An empty first frame sets the current font, which the row arithmetic reads.
    ImGui::NewFrame();
    ImGui::Render();
}

HeadlessImGui::~HeadlessImGui() { ImGui::DestroyContext(context); }

bool HeadlessImGui::Frame(const std::function<bool()>& draw)
{
    ImGui::SetCurrentContext(context);
    ImGui::NewFrame();
    ImGui::SetNextWindowPos({0.0f, 0.0f});
    ImGui::SetNextWindowSize({displayWidth, displayHeight});
    ImGui::Begin("Inspector", nullptr,
                 ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings);
    const bool changed = draw();
    ImGui::End();
    ImGui::Render();
    return changed;
}

bool HeadlessImGui::Click(int row, float x, const std::function<bool()>& draw)
{
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = {x, RowY(row)};
    bool changed = Frame(draw);
    io.MouseDown[0] = true;
    changed |= Frame(draw);
    io.MouseDown[0] = false;
    changed |= Frame(draw);
    return changed;
}

bool HeadlessImGui::Drag(int row, float pixels, const std::function<bool()>& draw)
{
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = {dragStartX, RowY(row)};
    bool changed = Frame(draw);
    io.MouseDown[0] = true;
    changed |= Frame(draw);
    io.MousePos = {dragStartX + pixels, RowY(row)};
    changed |= Frame(draw);
    io.MouseDown[0] = false;
    changed |= Frame(draw);
    return changed;
}

float HeadlessImGui::RowY(int row) const
{
    const ImGuiStyle& style = ImGui::GetStyle();
    const float frameHeight = ImGui::GetFontSize() + style.FramePadding.y * 2.0f;
    return style.WindowPadding.y + static_cast<float>(row) * (frameHeight + style.ItemSpacing.y) + frameHeight * 0.5f;
}

} // namespace kesto::test
