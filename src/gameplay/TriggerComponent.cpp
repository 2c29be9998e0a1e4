#include "gameplay/TriggerComponent.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <algorithm>
#include <cstddef>
#include <imgui.h>
#include <string>

namespace kesto
{

namespace
{

// Slot counts past this are not grown from the inspector.
constexpr int maxInspectedFunctions = 1024;

// The "Function" combo of an empty slot; the chosen kind's function, or none.
std::optional<TriggerFunction> ChooseKind()
{
    std::optional<TriggerFunction> chosen;
    if (ImGui::BeginCombo("Function", ""))
    {
        for (const char* kind : TriggerFunction::kindNames)
        {
            if (ImGui::Selectable(kind))
            {
                chosen = TriggerFunction::Create(kind);
            }
        }
        ImGui::EndCombo();
    }
    return chosen;
}

} // namespace

const FieldTable<TriggerComponent>& TriggerComponent::Fields()
{
    static const FieldTable<TriggerComponent> fields{};
    return fields;
}

void TriggerComponent::Write(JsonWriter& writer) const
{
    for (const std::optional<TriggerFunction>& function : functions)
    {
        if (function)
        {
            writer.BeginObject(function->EditorName().c_str());
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
            TraceReport(registry, "DATA", reader.SourceName(), "trigger member \"" + key + "\" is not an object");
            continue;
        }
        std::optional<TriggerFunction> function = TriggerFunction::Create(key);
        if (function)
        {
            function->Read(reader);
            functions.push_back(std::move(function));
        }
        else
        {
            TraceReport(registry, "DATA", reader.SourceName(), "unknown trigger function \"" + key + "\"");
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
    for (std::size_t i = 0; i < functions.size(); ++i)
    {
        const std::optional<TriggerFunction>& mine = functions[i];
        const std::optional<TriggerFunction>& theirs = trigger->functions[i];
        if (mine.has_value() != theirs.has_value() || (mine && !mine->Equals(*theirs)))
        {
            return false;
        }
    }
    return true;
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
        std::optional<TriggerFunction>& slot = functions[i];
        bool removed = false;
        if (slot)
        {
            ImGui::Separator();
            ImGui::TextUnformatted(slot->EditorName().c_str());
            changed |= slot->Inspect(registry);
            removed = ImGui::Button("Remove");
        }
        else if (std::optional<TriggerFunction> chosen = ChooseKind())
        {
            slot = std::move(chosen);
            changed = true;
        }
        ImGui::PopID();
        if (removed)
        {
            functions.erase(functions.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
            break;
        }
    }
    return changed;
}

} // namespace kesto
