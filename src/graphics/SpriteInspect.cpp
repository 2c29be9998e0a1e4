// The sprite's inspector: the widgets that need the sprite's shared assets are drawn here by hand, the plain
// settings come from the sprite's field description.
#include "animation/SpineSourceManager.h"
#include "engine/SystemRegistry.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSourceManager.h"

#include <algorithm>
#include <array>
#include <imgui.h>
#include <limits>
#include <string>
#include <vector>

namespace kesto
{

namespace
{

template <typename T> T* Find(SystemRegistry* registry) { return registry ? registry->GetSystem<T>() : nullptr; }

// A sprite-source combo; true when `source` was replaced by the chosen source.
bool InspectSource(const char* label, SpriteSource*& source, SystemRegistry* registry)
{
    auto* sources = Find<SpriteSourceManager>(registry);
    std::string name = source ? source->name : std::string();
    if (!sources || !InspectName(label, name, SpriteSourceNames, registry))
    {
        return false;
    }
    source = sources->Find(name);
    return true;
}

// A check box switching an optional map on (the colour sheet at first) or off, with its source combo.
bool InspectMap(const char* label, const char* comboLabel, SpriteSource*& map, SpriteSource* colour,
                SystemRegistry* registry)
{
    bool on = map != nullptr;
    bool changed = false;
    if (ImGui::Checkbox(label, &on))
    {
        map = on ? colour : nullptr;
        changed = true;
    }
    if (map)
    {
        ImGui::SameLine();
        changed |= InspectSource(comboLabel, map, registry);
    }
    return changed;
}

bool InspectShader(Shader*& shader, SystemRegistry* registry)
{
    const auto* shaders = Find<ShaderManager>(registry);
    if (!shaders)
    {
        return false;
    }
    std::vector<std::string> names;
    std::string current = "Texture";
    for (const auto& [name, program] : shaders->shaders)
    {
        names.push_back(name);
        if (program.get() == shader)
        {
            current = name;
        }
    }
    std::sort(names.begin(), names.end());
    bool changed = false;
    if (ImGui::BeginCombo("Shader", current.c_str()))
    {
        for (const std::string& name : names)
        {
            if (ImGui::Selectable(name.c_str(), name == current) && name != current)
            {
                shader = &shaders->Get(name);
                changed = true;
            }
        }
        ImGui::EndCombo();
    }
    return changed;
}

void ReloadTexture(SpriteSource* source, SpriteSourceManager& sources)
{
    if (source)
    {
        source->texture = sources.LoadTexture(source->path);
    }
}

} // namespace

bool Sprite::Inspect(SystemRegistry* registry)
{
    bool changed = false;
    if (ImGui::Checkbox("Using Spine", &usingSpine))
    {
        spine = SpineInstance();
        changed = true;
    }
    if (usingSpine)
    {
        std::string skeletonName = spine.Name();
        if (auto* skeletons = Find<SpineSourceManager>(registry);
            skeletons && InspectName("Spine", skeletonName, SpineSourceNames, registry))
        {
            spine = SpineInstance(skeletons->Find(skeletonName));
            changed = true;
        }
    }
    auto* meshes = Find<MeshManager>(registry);
    if (InspectSource("Sprite Source", spriteSource, registry))
    {
        if (!mesh && meshes)
        {
            mesh = &meshes->Get(1.0f, 1.0f);
        }
        changed = true;
    }
    std::array<float, 2> extents = {mesh ? mesh->uExtent : 1.0f, mesh ? mesh->vExtent : 1.0f};
    if (ImGui::DragFloat2("Mesh", extents.data(), 0.01f) && meshes)
    {
        const float smallest = std::numeric_limits<float>::min();
        mesh = &meshes->Get(std::max(extents[0], smallest), std::max(extents[1], smallest));
        changed = true;
    }
    changed |= InspectShader(shader, registry);
    changed |= Fields().InspectOnly(*this, registry, {"blendColor"});
    const int lastFrame = spriteSource ? std::max(spriteSource->frameCount - 1, 0) : 0;
    if (ImGui::InputInt("Initial Frame", &frame, 1, 100))
    {
        frame = std::clamp(frame, 0, lastFrame);
        changed = true;
    }
    changed |=
        Fields().InspectOnly(*this, registry, {"offset", "alpha", "depth", "order", "flippedX", "flippedY", "crop"});
    const bool additive = spriteSource && spriteSource->IsAdditive();
    if (!additive && ImGui::Checkbox("Emissive", &emissive))
    {
        if (const auto* shaders = Find<ShaderManager>(registry))
        {
            ChooseShader(*shaders);
        }
        changed = true;
    }
    if (!IsUnlit())
    {
        changed |= InspectMap("Normal Map", "##Normal Map", normalSource, spriteSource, registry);
        changed |= InspectMap("Specular Map", "##Specular Map", specularSource, spriteSource, registry);
        changed |= Fields().InspectOnly(*this, registry, {"diffuse", "specular", "shininess"});
    }
    auto* sources = Find<SpriteSourceManager>(registry);
    if (ImGui::Button("Reload Textures") && sources)
    {
        ReloadTexture(spriteSource, *sources);
        ReloadTexture(normalSource, *sources);
        ReloadTexture(specularSource, *sources);
    }
    return changed;
}

} // namespace kesto
