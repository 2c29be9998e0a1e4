// The inspector of one emission: its mode, particle settings, effects, trail, blend colour and shape.
#include "particles/Emission.h"
#include "particles/ParticleTemplateManager.h"
#include "particles/SpecialEffects.h"

#include <algorithm>
#include <imgui.h>
#include <string>
#include <vector>

namespace kesto
{

namespace
{

constexpr float degreesPerRadian = 57.29578f;
constexpr float radiansPerDegree = 0.017453292f;

// A part's widgets under their own id, so equal labels of two parts never clash.
template <typename Part> bool InspectPart(const char* id, Part& part, SystemRegistry* registry)
{
    ImGui::PushID(id);
    const bool changed = part.Inspect(registry);
    ImGui::PopID();
    return changed;
}

} // namespace

bool Emission::Inspect(SystemRegistry* registry)
{
    bool changed = Fields().InspectOnly(*this, registry, {"Emission Type"});
    changed |= InspectPart("Mode", *mode, registry);

    if (ImGui::CollapsingHeader("Particle Settings", ImGuiTreeNodeFlags_DefaultOpen))
    {
        if (InspectName("Particle Template", templateName, ParticleTemplateNames, registry))
        {
            FindTemplate(registry, "inspector");
            changed = true;
        }
        changed |= Fields().InspectOnly(
            *this, registry,
            {"Particle Speed", "Particle Rotational Speed", "Dual Rotation", "Endless", "Active", "Offset"});
        float degrees = rotation * degreesPerRadian;
        if (ImGui::DragFloat("Emitter Rotation", &degrees, 1.0f))
        {
            rotation = degrees * radiansPerDegree;
            changed = true;
        }
    }
    if (ImGui::CollapsingHeader("Effects", ImGuiTreeNodeFlags_DefaultOpen))
    {
        changed |= InspectEffects(registry);
    }

    changed |= Fields().InspectOnly(*this, registry, {"Trail"});
    if (trail)
    {
        ImGui::TextWrapped("Trail should only be used on with the PlayerDash particle template.");
        ImGui::TextWrapped("Shape won't affect the trail!");
    }
    changed |= Fields().InspectOnly(*this, registry, {"TrailBlendColor", "Type"});
    if (InspectPart("Shape", *shape, registry))
    {
        UpdateCullSize();
        changed = true;
    }
    return changed;
}

bool Emission::InspectEffects(SystemRegistry* registry)
{
    bool changed = false;
    int added = 0;
    if (ImGui::Combo("Add effects:", &added, effectNames.data(), static_cast<int>(effectNames.size())) && added > 0)
    {
        effects.push_back(MakeEffect(added));
        editedEffect = static_cast<int>(effects.size()) - 1;
        changed = true;
    }
    if (effects.empty())
    {
        return changed;
    }
    editedEffect = std::clamp(editedEffect, 0, static_cast<int>(effects.size()) - 1);
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < effects.size(); ++i)
    {
        labels.push_back(std::to_string(i) + ": " + effectNames[static_cast<std::size_t>(effects[i]->Type())]);
    }
    if (ImGui::BeginCombo("Edit effect:", labels[static_cast<std::size_t>(editedEffect)].c_str()))
    {
        for (std::size_t i = 0; i < labels.size(); ++i)
        {
            if (ImGui::Selectable(labels[i].c_str(), static_cast<int>(i) == editedEffect))
            {
                editedEffect = static_cast<int>(i);
            }
        }
        ImGui::EndCombo();
    }
    changed |= InspectPart("Effect", *effects[static_cast<std::size_t>(editedEffect)], registry);
    if (ImGui::Button("Delete Effect"))
    {
        effects.erase(effects.begin() + editedEffect);
        editedEffect = std::max(editedEffect - 1, 0);
        changed = true;
    }
    return changed;
}

} // namespace kesto
