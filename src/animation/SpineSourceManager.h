#pragma once

#include "animation/SpineSource.h"
#include "engine/ISystem.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kesto
{

class SystemRegistry;

// Owns the Spine skeletons: one source per folder under "Art/Spine" of the asset root, each folder holding
// "<name>.atlas", "<name>.json" and the atlas's page images. Bad or missing files leave that source empty and are
// reported once; without a GL context the pages are not uploaded (skeletons still load and animate).
class SpineSourceManager : public ISystem
{
public:
    explicit SpineSourceManager(std::string_view assetRoot = {});

    void Init() override;
    void Update(float) override {}

    // The first source of that name, or null.
    const SpineSource* Find(std::string_view sourceName) const;
    // Every source name, in loading order.
    std::vector<std::string> Names() const;
    const std::vector<std::unique_ptr<SpineSource>>& Sources() const { return sources; }

    std::string folder; // where the skeleton folders are; empty reads none

private:
    void Load(const std::string& sourceFolder, std::string sourceName);

    std::vector<std::unique_ptr<SpineSource>> sources; // in name order, so loading is the same everywhere
};

// The skeleton names, for inspector combos.
std::vector<std::string> SpineSourceNames(SystemRegistry* registry);

} // namespace kesto
