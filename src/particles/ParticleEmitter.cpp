#include "particles/ParticleEmitter.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <algorithm>
#include <cstddef>
#include <imgui.h>
#include <imgui_stdlib.h>
#include <string>

namespace kesto
{

const FieldTable<ParticleEmitter>& ParticleEmitter::Fields()
{
    // Emitters never compare equal.
    static const FieldTable<ParticleEmitter> fields(
        {
            Field<&ParticleEmitter::order>("Order").Label("Draw Order"),
            Field<&ParticleEmitter::depth>("Depth").Label("Depth").Slider(-1.0f, 1.0f),
        },
        Equality::Never);
    return fields;
}

void ParticleEmitter::Write(JsonWriter& writer) const
{
    Fields().Write(*this, writer);
    writer.WriteInt("Emissions Count", static_cast<int>(emissionNames.size()));
    for (std::size_t i = 0; i < emissionNames.size(); ++i)
    {
        writer.BeginObject(("Emission" + std::to_string(i)).c_str());
        writer.WriteString("Emission Name", emissionNames[i]);
        writer.EndObject();
    }
}

void ParticleEmitter::Read(JsonReader& reader, SystemRegistry* registry)
{
    Fields().Read(*this, reader, registry);
    int count = 0;
    if (!reader.TryReadInt("Emissions Count", count))
    {
        return;
    }
    // Each emission is a member of its own, so the file cannot hold more emissions than it has members.
    const int held = reader.MemberCount();
    if (count > held)
    {
        TraceReport(registry, "DATA", reader.SourceName(),
                    "\"Emissions Count\" " + std::to_string(count) + " is more than the " + std::to_string(held) +
                        " members the emitter holds; at most " + std::to_string(held) + " emissions are read");
        count = held;
    }
    emissionNames.clear();
    for (int i = 0; i < count; ++i)
    {
        const std::string key = "Emission" + std::to_string(i);
        if (!reader.Enter(key.c_str()))
        {
            TraceReport(registry, "DATA", reader.SourceName(), "particle emitter has no object \"" + key + "\"");
            continue;
        }
        std::string name;
        const bool named = reader.TryReadString("Emission Name", name);
        reader.Leave();
        if (!named || name.empty() ||
            std::find(emissionNames.begin(), emissionNames.end(), name) != emissionNames.end())
        {
            TraceReport(registry, "DATA", reader.SourceName(), key + " needs a unique, non-empty \"Emission Name\"");
            continue;
        }
        emissionNames.push_back(std::move(name));
    }
}

bool ParticleEmitter::Inspect(SystemRegistry* registry)
{
    bool changed = Fields().Inspect(*this, registry);
    if (ImGui::Button("Add New Emission"))
    {
        int number = 0;
        while (std::find(emissionNames.begin(), emissionNames.end(), "Untitled" + std::to_string(number)) !=
               emissionNames.end())
        {
            ++number;
        }
        emissionNames.push_back("Untitled" + std::to_string(number));
        changed = true;
    }
    if (!ImGui::CollapsingHeader("Emissions", ImGuiTreeNodeFlags_DefaultOpen))
    {
        return changed;
    }
    ImGui::TextDisabled("Unique names, no empty name");
    for (std::size_t i = 0; i < emissionNames.size(); ++i)
    {
        ImGui::PushID(static_cast<int>(i));
        std::string name = emissionNames[i];
        // A rename takes effect on Enter, and only when the name stays unique and non-empty.
        if (ImGui::InputText("Name", &name, ImGuiInputTextFlags_EnterReturnsTrue) && !name.empty() &&
            std::find(emissionNames.begin(), emissionNames.end(), name) == emissionNames.end())
        {
            emissionNames[i] = std::move(name);
            changed = true;
        }
        ImGui::SameLine();
        const bool deleted = ImGui::Button("Delete?");
        ImGui::PopID();
        if (deleted)
        {
            emissionNames.erase(emissionNames.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
            break;
        }
    }
    return changed;
}

} // namespace kesto
