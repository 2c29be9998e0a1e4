#include "ecs/Fields.h"

#include <algorithm>
#include <array>
#include <imgui.h>
#include <imgui_stdlib.h>
#include <string>

namespace kesto::detail
{

namespace
{

// Point lists longer than this are not grown from the inspector; a typo in the count must not allocate millions.
constexpr int maxInspectedPoints = 1024;

bool InspectBool(const FieldLook& look, bool& value) { return ImGui::Checkbox(look.label, &value); }

bool InspectChoice(const FieldLook& look, int& value)
{
    const auto count = static_cast<int>(look.choices.size());
    if (look.widget == FieldWidget::Combo)
    {
        return ImGui::Combo(look.label, &value, look.choices.data(), count);
    }
    bool changed = false;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
        {
            ImGui::SameLine();
        }
        changed |= ImGui::RadioButton(look.choices[static_cast<std::size_t>(i)], &value, i);
    }
    return changed;
}

bool InspectInt(const FieldLook& look, int& value)
{
    if (!look.choices.empty())
    {
        return InspectChoice(look, value);
    }
    if (look.widget == FieldWidget::Drag)
    {
        return ImGui::DragInt(look.label, &value, look.speed);
    }
    return ImGui::InputInt(look.label, &value, 1, 100);
}

bool InspectFloat(const FieldLook& look, float& value)
{
    float shown = value * look.shownPerStored;
    const char* format = look.format ? look.format : "%.3f";
    const bool changed = look.widget == FieldWidget::Slider
                             ? ImGui::SliderFloat(look.label, &shown, look.min, look.max, format)
                             : ImGui::DragFloat(look.label, &shown, look.speed, 0.0f, 0.0f, format);
    if (changed)
    {
        value = shown * look.storedPerShown;
    }
    return changed;
}

bool InspectString(const FieldLook& look, std::string& value, SystemRegistry* registry)
{
    const std::vector<std::string> names = look.names ? look.names(registry) : std::vector<std::string>();
    if (names.empty())
    {
        return ImGui::InputText(look.label, &value);
    }
    bool changed = false;
    if (ImGui::BeginCombo(look.label, value.c_str()))
    {
        for (const std::string& name : names)
        {
            const bool selected = name == value;
            if (ImGui::Selectable(name.c_str(), selected) && !selected)
            {
                value = name;
                changed = true;
            }
        }
        ImGui::EndCombo();
    }
    return changed;
}

std::array<float, 4> Components(Vec2 v) { return {v.x, v.y, 0.0f, 0.0f}; }
std::array<float, 4> Components(Vec3 v) { return {v.x, v.y, v.z, 0.0f}; }
std::array<float, 4> Components(Vec4 v) { return {v.x, v.y, v.z, v.w}; }
void Assign(Vec2& v, const std::array<float, 4>& c) { v = {c[0], c[1]}; }
void Assign(Vec3& v, const std::array<float, 4>& c) { v = {c[0], c[1], c[2]}; }
void Assign(Vec4& v, const std::array<float, 4>& c) { v = {c[0], c[1], c[2], c[3]}; }

template <typename V> bool InspectVector(const FieldLook& look, V& value)
{
    constexpr int size = sizeof(V) / sizeof(float);
    std::array<float, 4> data = Components(value);
    const char* format = look.format ? look.format : "%.3f";
    bool changed = false;
    if (look.widget == FieldWidget::Color && size == 3)
    {
        changed = ImGui::ColorEdit3(look.label, data.data());
    }
    else if (look.widget == FieldWidget::Color && size == 4)
    {
        changed = ImGui::ColorEdit4(look.label, data.data());
    }
    else if (look.widget == FieldWidget::Slider)
    {
        changed =
            ImGui::SliderScalarN(look.label, ImGuiDataType_Float, data.data(), size, &look.min, &look.max, format);
    }
    else
    {
        changed = ImGui::DragScalarN(look.label, ImGuiDataType_Float, data.data(), size, look.speed, nullptr, nullptr,
                                     format);
    }
    if (changed)
    {
        Assign(value, data);
    }
    return changed;
}

bool InspectPoints(const FieldLook& look, std::vector<Vec2>& points)
{
    int count = static_cast<int>(points.size());
    bool changed = false;
    if (ImGui::InputInt(look.label, &count, 1, 100))
    {
        const int limit = std::max(maxInspectedPoints, static_cast<int>(points.size()));
        points.resize(static_cast<std::size_t>(std::clamp(count, 0, limit)));
        changed = true;
    }
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        ImGui::PushID(static_cast<int>(i));
        std::array<float, 4> point = Components(points[i]);
        if (ImGui::DragFloat2("Point:", point.data(), look.speed))
        {
            Assign(points[i], point);
            changed = true;
        }
        ImGui::PopID();
    }
    return changed;
}

} // namespace

bool InspectFieldValue(const char* key, const FieldLook& look, FieldValue& value, SystemRegistry* registry)
{
    ImGui::PushID(key);
    if (look.sameLine)
    {
        ImGui::SameLine();
    }
    const bool changed = std::visit(
        [&](auto& current)
        {
            using V = std::decay_t<decltype(current)>;
            if constexpr (std::is_same_v<V, bool>)
            {
                return InspectBool(look, current);
            }
            else if constexpr (std::is_same_v<V, int>)
            {
                return InspectInt(look, current);
            }
            else if constexpr (std::is_same_v<V, float>)
            {
                return InspectFloat(look, current);
            }
            else if constexpr (std::is_same_v<V, std::string>)
            {
                return InspectString(look, current, registry);
            }
            else if constexpr (std::is_same_v<V, std::vector<Vec2>>)
            {
                return InspectPoints(look, current);
            }
            else
            {
                return InspectVector(look, current);
            }
        },
        value);
    ImGui::PopID();
    return changed;
}

} // namespace kesto::detail

namespace kesto
{

bool InspectName(const char* label, std::string& value, NameSource source, SystemRegistry* registry)
{
    FieldLook look;
    look.label = label;
    look.names = source;
    return detail::InspectString(look, value, registry);
}

} // namespace kesto

namespace kesto::detail
{

bool InspectSection(const char* heading) { return ImGui::CollapsingHeader(heading, ImGuiTreeNodeFlags_DefaultOpen); }

void PushFieldId(const char* key) { ImGui::PushID(key); }

void PopFieldId() { ImGui::PopID(); }

} // namespace kesto::detail
