#include "particles/ParticleTemplateManager.h"

#include "ecs/Fields.h"
#include "ecs/JsonReader.h"
#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteSourceManager.h"
#include "particles/ValueCheck.h"

#include <algorithm>

namespace kesto
{

namespace
{

constexpr const char* fileName = "Particles.json";
constexpr float longestLifetime = 3600.0f; // seconds

// The plain keys of a template; the sprite source and shader are names looked up by hand.
const FieldTable<ParticleTemplate>& TemplateFields()
{
    using P = ParticleTemplate;
    static const FieldTable<ParticleTemplate> fields{
        Field<&P::name>("Name"),
        Field<&P::meshExtents>("Mesh"),
        Field<&P::lifetime>("Lifetime"),
        Field<&P::gravity>("Gravity"),
        Field<&P::gravityForce>("Gravity Force"),
        Field<&P::startColor>("Start Color"),
        Field<&P::endColor>("End Color"),
        Field<&P::startScale>("Start Scale"),
        Field<&P::endScale>("End Scale"),
    };
    return fields;
}

} // namespace

ParticleTemplateManager::ParticleTemplateManager(std::string_view assetRoot)
    : folder(UnderAssetRoot(assetRoot, "Data/Files/"))
{
}

void ParticleTemplateManager::Init()
{
    if (folder.empty())
    {
        return;
    }
    JsonReader reader;
    if (!reader.Open(folder, fileName, registry->GetSystem<Trace>()))
    {
        return;
    }
    const std::string source = folder + fileName;
    while (reader.NextObjectMember("ParticleTemplate"))
    {
        ParticleTemplate particleTemplate = ReadTemplate(reader, source);
        if (particleTemplate.name.empty())
        {
            TraceReport(registry, "DATA", source, "a ParticleTemplate has no \"Name\"; skipped");
            continue;
        }
        if (templates.contains(particleTemplate.name))
        {
            TraceReport(registry, "DATA", source,
                        "ParticleTemplate \"" + particleTemplate.name + "\" is defined again; the first is kept");
            continue;
        }
        Add(std::move(particleTemplate));
    }
}

ParticleTemplate ParticleTemplateManager::ReadTemplate(const JsonReader& reader, const std::string& source) const
{
    ParticleTemplate t;
    TemplateFields().Read(t, reader, registry);
    // A template without a name is skipped whole, with one report by the caller.
    if (t.name.empty())
    {
        return t;
    }
    // Without an end colour a particle keeps its start colour for life.
    if (!reader.HasMember("End Color"))
    {
        t.endColor = t.startColor;
    }
    const std::string subject = "ParticleTemplate \"" + t.name + "\"";
    const ValueCheck check(registry, source);
    check.Keep(t.lifetime, 0.0f, longestLifetime, subject + " \"Lifetime\"");
    check.Finite(t.gravityForce, subject + " \"Gravity Force\"");
    for (Vec2* scale : {&t.startScale, &t.endScale})
    {
        const char* key = scale == &t.startScale ? " \"Start Scale\"" : " \"End Scale\"";
        check.Keep(scale->x, 0.0f, ValueCheck::limit, subject + key);
        check.Keep(scale->y, 0.0f, ValueCheck::limit, subject + key);
    }
    // A quad needs positive texture extents; anything else would draw nothing or a smeared edge.
    if (!(t.meshExtents.x > 0.0f && t.meshExtents.y > 0.0f && t.meshExtents.x <= ValueCheck::limit &&
          t.meshExtents.y <= ValueCheck::limit))
    {
        TraceReport(registry, "DATA", source, subject + " \"Mesh\" needs two positive extents; read as [1, 1]");
        t.meshExtents = {1.0f, 1.0f};
    }
    t.ComputeScaleRate();

    std::string sourceName;
    if (reader.TryReadString("SpriteSource", sourceName))
    {
        t.spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(sourceName);
    }
    if (!t.spriteSource)
    {
        TraceReport(registry, "DATA", source,
                    subject + " \"SpriteSource\" \"" + sourceName +
                        "\" is not in Art.json; its particles show nothing");
    }
    std::string shaderName;
    reader.TryReadString("Shader", shaderName);
    const ShaderManager& shaders = *registry->GetSystem<ShaderManager>();
    if (shaders.Has(shaderName))
    {
        t.shader = &shaders.Get(shaderName);
    }
    else
    {
        TraceReport(registry, "DATA", source,
                    subject + " \"Shader\" \"" + shaderName + "\" is not in Shaders.json; its particles show nothing");
    }
    t.mesh = &registry->GetSystem<MeshManager>()->Get(t.meshExtents.x, t.meshExtents.y);
    return t;
}

const ParticleTemplate* ParticleTemplateManager::Find(const std::string& templateName) const
{
    const auto found = templates.find(templateName);
    return found == templates.end() ? nullptr : found->second.get();
}

std::vector<std::string> ParticleTemplateManager::Names() const
{
    std::vector<std::string> names;
    names.reserve(templates.size());
    for (const auto& entry : templates)
    {
        names.push_back(entry.first);
    }
    std::sort(names.begin(), names.end());
    return names;
}

const ParticleTemplate& ParticleTemplateManager::Add(ParticleTemplate particleTemplate)
{
    std::string key = particleTemplate.name;
    auto stored =
        templates.try_emplace(std::move(key), std::make_unique<ParticleTemplate>(std::move(particleTemplate)));
    return *stored.first->second;
}

std::vector<std::string> ParticleTemplateNames(SystemRegistry* registry)
{
    if (!registry)
    {
        return {};
    }
    return registry->GetSystem<ParticleTemplateManager>()->Names();
}

} // namespace kesto
