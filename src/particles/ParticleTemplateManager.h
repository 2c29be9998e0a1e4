#pragma once

#include "engine/ISystem.h"
#include "particles/ParticleTemplate.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kesto
{

class JsonReader;

// Reads every particle template from "Particles.json" at start and hands them out by name for the life of the
// process. Needs the sprite sources, shaders and meshes, so it initialises after their managers.
class ParticleTemplateManager : public ISystem
{
public:
    // Without an asset root the manager reads nothing until a folder is given.
    ParticleTemplateManager() = default;
    explicit ParticleTemplateManager(std::string_view assetRoot);

    // Reads folder + "Particles.json"; nothing for an empty folder. Entries that cannot be used are reported, one
    // line each, and skipped or mended.
    void Init() override;
    void Update(float) override {}

    // The template of that name, or null when none was loaded.
    const ParticleTemplate* Find(const std::string& templateName) const;
    // Every template name in ascending order.
    std::vector<std::string> Names() const;
    // Stores a template under its name unless the name is taken; returns the stored one.
    const ParticleTemplate& Add(ParticleTemplate particleTemplate);

    std::string folder; // where Init finds Particles.json

private:
    // One "ParticleTemplate" object of the file, with its references looked up and its numbers checked.
    ParticleTemplate ReadTemplate(const JsonReader& reader, const std::string& source) const;

    // Templates never move once stored, so emissions and particles keep plain pointers to them.
    std::unordered_map<std::string, std::unique_ptr<ParticleTemplate>> templates;
};

// Every template name of the registry's manager, in ascending order; none without one. Feeds the emission
// inspector's template combo.
std::vector<std::string> ParticleTemplateNames(SystemRegistry* registry);

} // namespace kesto
