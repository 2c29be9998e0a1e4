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

ParticleEmitter::ParticleEmitter() { emissions.emplace_back(); }

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
    writer.WriteInt("Emissions Count", static_cast<int>(emissions.size()));
    for (std::size_t i = 0; i < emissions.size(); ++i)
    {
        writer.BeginObject(("Emission" + std::to_string(i)).c_str());
        emissions[i].emission.Write(writer);
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
        TraceReport(registry, "DATA", reader.Where(),
                    "\"Emissions Count\" " + std::to_string(count) + " is more than the " + std::to_string(held) +
                        " members the emitter holds; at most " + std::to_string(held) + " emissions are read");
        count = held;
    }
    emissions.clear();
    for (int i = 0; i < count; ++i)
    {
        const std::string key = "Emission" + std::to_string(i);
        if (!reader.Enter(key.c_str()))
        {
            TraceReport(registry, "DATA", reader.Where(), "particle emitter has no object \"" + key + "\"");
            continue;
        }
        std::string emissionName;
        if (!reader.TryReadString("Emission Name", emissionName) || emissionName.empty() || HasEmission(emissionName))
        {
            reader.Leave();
            TraceReport(registry, "DATA", reader.Where(), key + " needs a unique, non-empty \"Emission Name\"");
            continue;
        }
        EmissionSlot& slot = emissions.emplace_back();
        slot.emission.Read(reader, registry);
        reader.Leave();
        needsUpdate = needsUpdate || slot.emission.active;
    }
}

Emission* ParticleEmitter::FindEmission(const std::string& emissionName)
{
    for (EmissionSlot& slot : emissions)
    {
        if (slot.emission.name == emissionName)
        {
            return &slot.emission;
        }
    }
    return nullptr;
}

void ParticleEmitter::PlayEmission(const std::string& emissionName)
{
    if (Emission* emission = FindEmission(emissionName))
    {
        emission->Play();
        needsUpdate = true;
    }
}

bool ParticleEmitter::HasEmission(const std::string& emissionName) const
{
    return std::any_of(emissions.begin(), emissions.end(),
                       [&](const EmissionSlot& slot) { return slot.emission.name == emissionName; });
}

bool ParticleEmitter::Inspect(SystemRegistry* registry)
{
    bool changed = Fields().Inspect(*this, registry);
    if (ImGui::Button("Add New Emission"))
    {
        int number = 0;
        while (HasEmission("Untitled" + std::to_string(number)))
        {
            ++number;
        }
        Emission& added = emissions.emplace_back().emission;
        added.name = "Untitled" + std::to_string(number);
        added.FindTemplate(registry, "inspector");
        changed = true;
    }
    if (ImGui::CollapsingHeader("Emissions", ImGuiTreeNodeFlags_DefaultOpen))
    {
        changed |= InspectEmissions(registry);
    }
    // An edit may have switched an emission on or changed how it spawns.
    needsUpdate = needsUpdate || changed;
    return changed;
}

bool ParticleEmitter::InspectEmissions(SystemRegistry* registry)
{
    ImGui::TextDisabled("Unique names, no empty name");
    bool changed = false;
    for (std::size_t i = 0; i < emissions.size(); ++i)
    {
        ImGui::PushID(static_cast<int>(i));
        Emission& emission = emissions[i].emission;
        std::string emissionName = emission.name;
        // A rename takes effect on Enter, and only when the name stays unique and non-empty.
        if (ImGui::InputText("Name", &emissionName, ImGuiInputTextFlags_EnterReturnsTrue) && !emissionName.empty() &&
            !HasEmission(emissionName))
        {
            emission.name = std::move(emissionName);
            changed = true;
        }
        ImGui::SameLine();
        const bool deleted = ImGui::Button("Delete?");
        if (!deleted && ImGui::TreeNode("Settings"))
        {
            changed |= emission.Inspect(registry);
            ImGui::TreePop();
        }
        ImGui::PopID();
        if (deleted)
        {
            emissions.erase(emissions.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
            break;
        }
    }
    return changed;
}

} // namespace kesto
