#include "gameplay/TriggerFunction.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <imgui.h>
#include <imgui_stdlib.h>
#include <iterator>

namespace kesto
{

namespace
{

// The own keys of kind `kind` (an index into kindNames) with their defaults, in written order.
std::vector<TriggerSetting> KindDefaults(std::size_t kind)
{
    switch (kind)
    {
    case 1:
        return {{"level", std::string()},
                {"fadeOutLength", 0.5f},
                {"fadeHoldLength", 0.5f},
                {"fadeInLength", 0.5f},
                {"type", 1}}; // 0 fade, 1 slide, 2 weird
    case 2:
        return {{"offset", Vec2{}}};
    case 3:
        return {{"scalar", 1.0f}, {"speed", 10.0f}};
    case 4:
        return {{"name", std::string()}, {"position", Vec2{}}, {"relative", 0}}; // 0 world, 1 trigger, 2 player
    case 5:
        return {{"state", 0}};
    case 6:
        return {{"name", std::string()}, {"value", 0.0f}};
    case 7:
        return {{"dashArchetype", std::string()}, {"passArchetype", std::string()}};
    case 8:
        return {{"time", 0.0f}};
    case 9:
        return {{"color", Vec3{}}, {"time", 0.0f}};
    case 10:
        return {{"archetype", std::string()}, {"tutorial", 0}}; // 0 move, 1 jump, 2 dash, 3 slow-mo
    case 11:
        return {{"number", 0}};
    case 12:
        return {{"EventName", std::string()}, {"PositionalAudio", false}};
    case 13:
        return {{"source", std::string()}};
    case 14:
        return {{"frame", 0}};
    case 15:
        return {{"function", 0}}; // 0 start, 1 split, 2 pause, 3 reset
    case 17:
        return {{"Fadeout Time", 0.0f}, {"Fadeout Volume", 0.0f}, {"Remove Fade", true}};
    default:
        // "Dash Reset" and "StopMusic" have no keys of their own.
        return {};
    }
}

struct SettingReader
{
    JsonReader& reader;
    const char* key;

    void operator()(int& value) const { reader.TryReadInt(key, value); }
    void operator()(float& value) const { reader.TryReadFloat(key, value); }
    void operator()(bool& value) const { reader.TryReadBool(key, value); }
    void operator()(std::string& value) const { reader.TryReadString(key, value); }
    void operator()(Vec2& value) const { reader.TryReadVec2(key, value); }
    void operator()(Vec3& value) const { reader.TryReadVec3(key, value); }
};

struct SettingWriter
{
    JsonWriter& writer;
    const char* key;

    void operator()(int value) const { writer.WriteInt(key, value); }
    void operator()(float value) const { writer.WriteFloat(key, value); }
    void operator()(bool value) const { writer.WriteBool(key, value); }
    void operator()(const std::string& value) const { writer.WriteString(key, value); }
    void operator()(Vec2 value) const { writer.WriteVec2(key, value); }
    void operator()(Vec3 value) const { writer.WriteVec3(key, value); }
};

constexpr std::array<const char*, 2> eventNames = {"On Enter", "On Collide"};

// The widget of one setting, by the shape of its value.
struct SettingInspector
{
    const char* label;

    bool operator()(int& value) const { return ImGui::InputInt(label, &value); }
    bool operator()(float& value) const { return ImGui::DragFloat(label, &value, 0.1f); }
    bool operator()(bool& value) const { return ImGui::Checkbox(label, &value); }
    bool operator()(std::string& value) const { return ImGui::InputText(label, &value); }
    bool operator()(Vec2& value) const
    {
        std::array<float, 2> v = {value.x, value.y};
        const bool changed = ImGui::DragFloat2(label, v.data(), 0.1f);
        value = {v[0], v[1]};
        return changed;
    }
    bool operator()(Vec3& value) const
    {
        std::array<float, 3> v = {value.x, value.y, value.z};
        const bool changed = ImGui::ColorEdit3(label, v.data());
        value = {v[0], v[1], v[2]};
        return changed;
    }
};

} // namespace

const FieldTable<TriggerFunction>& TriggerFunction::Fields()
{
    using F = TriggerFunction;
    static const FieldTable<TriggerFunction> fields{
        Field<&F::event>("event").Label("Event").Combo(eventNames).Uncompared(),
        Field<&F::delay>("delay").Label("Delay").Drag(0.1f),
        Field<&F::dashRequired>("dashRequired").Label("Dash Required"),
        Field<&F::happensOnce>("happensOnce").Label("Happens Once").SameLine(),
    };
    return fields;
}

TriggerFunction::TriggerFunction(std::string name, std::vector<TriggerSetting> defaults)
    : settings(std::move(defaults)), editorName(std::move(name))
{
}

std::optional<TriggerFunction> TriggerFunction::Create(std::string_view name)
{
    const auto found = std::find(kindNames.begin(), kindNames.end(), name);
    if (found == kindNames.end())
    {
        return std::nullopt;
    }
    const auto kind = static_cast<std::size_t>(std::distance(kindNames.begin(), found));
    return TriggerFunction(std::string(name), KindDefaults(kind));
}

void TriggerFunction::Write(JsonWriter& writer) const
{
    Fields().Write(*this, writer);
    for (const TriggerSetting& setting : settings)
    {
        std::visit(SettingWriter{writer, setting.key.c_str()}, setting.value);
    }
}

void TriggerFunction::Read(JsonReader& reader)
{
    Fields().Read(*this, reader);
    for (TriggerSetting& setting : settings)
    {
        std::visit(SettingReader{reader, setting.key.c_str()}, setting.value);
    }
}

bool TriggerFunction::Equals(const TriggerFunction& other) const
{
    return editorName == other.editorName && Fields().Equals(*this, other) && settings == other.settings;
}

bool TriggerFunction::Inspect(SystemRegistry* registry)
{
    bool changed = Fields().Inspect(*this, registry);
    for (TriggerSetting& setting : settings)
    {
        changed |= std::visit(SettingInspector{setting.key.c_str()}, setting.value);
    }
    return changed;
}

const TriggerValue* TriggerFunction::Find(std::string_view key) const
{
    const auto found =
        std::find_if(settings.begin(), settings.end(), [key](const TriggerSetting& s) { return s.key == key; });
    return found == settings.end() ? nullptr : &found->value;
}

} // namespace kesto
