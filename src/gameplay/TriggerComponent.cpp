#include "gameplay/TriggerComponent.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <imgui.h>
#include <string>
#include <utility>

namespace kesto
{

namespace
{

// Slot counts past this are not grown from the inspector.
constexpr int maxInspectedFunctions = 1024;

// The "Function" combo of an empty slot; the chosen kind's function, or null.
std::unique_ptr<TriggerFunction> ChooseKind()
{
    std::unique_ptr<TriggerFunction> chosen;
    if (ImGui::BeginCombo("Function", ""))
    {
        for (const std::string& kind : TriggerFunction::KindNames())
        {
            if (ImGui::Selectable(kind.c_str()))
            {
                chosen = TriggerFunction::Create(kind);
            }
        }
        ImGui::EndCombo();
    }
    return chosen;
}

// What the buttons of a filled slot asked for.
enum class SlotEdit : std::uint8_t
{
    None,
    MoveUp,
    MoveDown,
    Remove,
};

SlotEdit SlotButtons(std::size_t index, std::size_t count)
{
    SlotEdit edit = SlotEdit::None;
    ImGui::BeginDisabled(index == 0);
    if (ImGui::ArrowButton("Up", ImGuiDir_Up))
    {
        edit = SlotEdit::MoveUp;
    }
    ImGui::EndDisabled();
    ImGui::SameLine();
    ImGui::BeginDisabled(index + 1 == count);
    if (ImGui::ArrowButton("Down", ImGuiDir_Down))
    {
        edit = SlotEdit::MoveDown;
    }
    ImGui::EndDisabled();
    ImGui::SameLine();
    if (ImGui::Button("Remove"))
    {
        edit = SlotEdit::Remove;
    }
    return edit;
}

} // namespace

TriggerComponent::TriggerComponent(const TriggerComponent& other)
    : otherEntity(other.otherEntity), touching(other.touching), wasTouching(other.wasTouching)
{
    functions.reserve(other.functions.size());
    for (const std::unique_ptr<TriggerFunction>& function : other.functions)
    {
        functions.push_back(function ? function->Clone() : nullptr);
    }
}

TriggerComponent& TriggerComponent::operator=(const TriggerComponent& other)
{
    if (this != &other)
    {
        TriggerComponent copy(other);
        *this = std::move(copy);
    }
    return *this;
}

const FieldTable<TriggerComponent>& TriggerComponent::Fields()
{
    static const FieldTable<TriggerComponent> fields{};
    return fields;
}

void TriggerComponent::Write(JsonWriter& writer) const
{
    for (const std::unique_ptr<TriggerFunction>& function : functions)
    {
        if (function)
        {
            writer.BeginObject(std::string(function->EditorName()).c_str());
            function->Write(writer);
            writer.EndObject();
        }
    }
}

void TriggerComponent::Read(JsonReader& reader, SystemRegistry* registry)
{
    functions.clear();
    std::string key;
    for (JsonMemberKind kind = reader.NextMember(key); kind != JsonMemberKind::End; kind = reader.NextMember(key))
    {
        if (kind != JsonMemberKind::Object)
        {
            TraceReport(registry, "DATA", reader.Where(), "trigger member \"" + key + "\" is not an object");
            continue;
        }
        if (std::unique_ptr<TriggerFunction> function = TriggerFunction::Create(key))
        {
            function->Read(reader, registry);
            functions.push_back(std::move(function));
        }
        else
        {
            TraceReport(registry, "DATA", reader.Where(), "unknown trigger function \"" + key + "\"");
            reader.SkipCurrent();
        }
        reader.Leave();
    }
}

bool TriggerComponent::Equals(const Component& other) const
{
    const auto* trigger = dynamic_cast<const TriggerComponent*>(&other);
    if (!trigger || functions.size() != trigger->functions.size())
    {
        return false;
    }
    return std::equal(functions.begin(), functions.end(), trigger->functions.begin(),
                      [](const std::unique_ptr<TriggerFunction>& mine, const std::unique_ptr<TriggerFunction>& theirs)
                      { return mine && theirs ? mine->Equals(*theirs) : !mine && !theirs; });
}

bool TriggerComponent::Inspect(SystemRegistry* registry)
{
    bool changed = false;
    int count = static_cast<int>(functions.size());
    if (ImGui::InputInt("Function Count", &count, 1, 100, ImGuiInputTextFlags_None))
    {
        const int limit = std::max(maxInspectedFunctions, static_cast<int>(functions.size()));
        functions.resize(static_cast<std::size_t>(std::clamp(count, 0, limit)));
        changed = true;
    }
    for (std::size_t i = 0; i < functions.size(); ++i)
    {
        ImGui::PushID(static_cast<int>(i));
        std::unique_ptr<TriggerFunction>& slot = functions[i];
        SlotEdit edit = SlotEdit::None;
        if (!slot)
        {
            slot = ChooseKind();
            changed |= slot != nullptr;
        }
        else if (ImGui::CollapsingHeader(std::string(slot->EditorName()).c_str(), ImGuiTreeNodeFlags_DefaultOpen))
        {
            changed |= slot->Inspect(registry);
            edit = SlotButtons(i, functions.size());
        }
        ImGui::PopID();
        if (edit == SlotEdit::None)
        {
            continue;
        }
        // The list changed under the loop: the rest of it is drawn next frame.
        const auto at = functions.begin() + static_cast<std::ptrdiff_t>(i);
        if (edit == SlotEdit::Remove)
        {
            functions.erase(at);
        }
        else
        {
            std::iter_swap(at, edit == SlotEdit::MoveUp ? at - 1 : at + 1);
        }
        return true;
    }
    return changed;
}

} // namespace kesto
