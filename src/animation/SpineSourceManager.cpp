#include "animation/SpineSourceManager.h"

#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Image.h"
#include "graphics/Texture.h"
#include "graphics/WindowHandler.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace kesto
{

namespace
{

// Page textures go into the source, so they are released with it even if the atlas never disposes of them.
spine::Host PageHost(SpineSource& source)
{
    spine::Host host;
    host.createTexture = [&source](spine::AtlasPage& page, const std::string& path)
    {
        auto texture = std::make_unique<Texture>(CreateTexture(Image::DecodeForTexture(path, MaxTextureSide())));
        if (!texture->HasPixels())
        {
            return false;
        }
        page.rendererObject = texture.get();
        page.width = texture->width;
        page.height = texture->height;
        source.pageTextures.push_back(std::move(texture));
        return true;
    };
    host.disposeTexture = [&source](spine::AtlasPage& page)
    {
        std::erase_if(source.pageTextures,
                      [&page](const auto& texture) { return texture.get() == page.rendererObject; });
        page.rendererObject = nullptr;
    };
    return host;
}

} // namespace

SpineSourceManager::SpineSourceManager(std::string_view assetRoot) : folder(UnderAssetRoot(assetRoot, "Art/Spine")) {}

void SpineSourceManager::Init()
{
    if (folder.empty())
    {
        return;
    }
    std::error_code error;
    std::vector<std::filesystem::path> entries;
    for (std::filesystem::directory_iterator it(AssetPath(folder), error), end; !error && it != end;
         it.increment(error))
    {
        if (it->is_directory(error))
        {
            entries.push_back(it->path());
        }
    }
    if (error)
    {
        TraceReport(registry, "SPINE", folder, "cannot list the skeleton folders: " + error.message());
    }
    std::sort(entries.begin(), entries.end());
    for (const std::filesystem::path& entry : entries)
    {
        Load(entry.generic_string(), entry.filename().string());
    }
}

void SpineSourceManager::Load(const std::string& sourceFolder, std::string sourceName)
{
    auto& source = *sources.emplace_back(std::make_unique<SpineSource>());
    source.name = std::move(sourceName);
    // Whatever fails first is the one line reported for this skeleton.
    bool reported = false;
    auto report = [this, &reported, &source](std::string_view message)
    {
        if (!std::exchange(reported, true))
        {
            TraceReport(registry, "SPINE", source.name, message);
        }
    };
    const std::string stem = sourceFolder + "/" + source.name;
    spine::Host host;
    // Without a GL context (headless runs) pages are not uploaded; the skeleton still loads and animates.
    if (registry && registry->GetSystem<WindowHandler>()->GetWindow())
    {
        host = PageHost(source);
    }
    source.atlas = spine::LoadAtlasFile(stem + ".atlas", host, report);
    if (!source.atlas)
    {
        return;
    }
    source.skeletonData = spine::SkeletonJson(*source.atlas, report).ReadSkeletonDataFile(stem + ".json");
    if (source.skeletonData)
    {
        source.stateData = std::make_unique<spine::AnimationStateData>(*source.skeletonData);
    }
}

const SpineSource* SpineSourceManager::Find(std::string_view sourceName) const
{
    for (const auto& source : sources)
    {
        if (source->name == sourceName)
        {
            return source.get();
        }
    }
    return nullptr;
}

std::vector<std::string> SpineSourceManager::Names() const
{
    std::vector<std::string> names;
    for (const auto& source : sources)
    {
        names.push_back(source->name);
    }
    return names;
}

std::vector<std::string> SpineSourceNames(SystemRegistry* registry)
{
    return registry ? registry->GetSystem<SpineSourceManager>()->Names() : std::vector<std::string>{};
}

} // namespace kesto
