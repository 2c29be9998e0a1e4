#include "graphics/SpriteSourceManager.h"

#include "ecs/JsonReader.h"
#include "engine/AssetPath.h"
#include "engine/FreedMemory.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

#include <array>
#include <chrono>
#include <string_view>

namespace kesto
{

namespace
{

// The splash and loading-screen images, drawable from the very first frame.
constexpr std::array<std::string_view, 5> splashNames = {"FMOD", "TestLogo", "animRunv002", "awcopyright", "loading"};

bool IsSplashName(const std::string& sourceName)
{
    for (std::string_view splash : splashNames)
    {
        if (sourceName == splash)
        {
            return true;
        }
    }
    return false;
}

} // namespace

SpriteSourceManager::~SpriteSourceManager()
{
    // The worker sees the request between two files; jthread joins it.
    worker.request_stop();
}

SpriteSourceManager::SpriteSourceManager(std::string_view assetRoot) : folder(UnderAssetRoot(assetRoot, "Data/Files/"))
{
}

void SpriteSourceManager::Init()
{
    maxTextureSide = MaxTextureSide();
    if (!folder.empty())
    {
        ReadArtTable();
    }
    StartWorker();
}

void SpriteSourceManager::ReadArtTable()
{
    Trace* trace = registry->GetSystem<Trace>();
    JsonReader reader;
    if (!reader.Open(folder, "Art.json", trace))
    {
        return;
    }
    while (reader.NextObjectMember("SpriteSource"))
    {
        SpriteSource source;
        if (!reader.TryReadString("name", source.name))
        {
            trace->Report("DATA", folder + "Art.json", "a SpriteSource entry has no \"name\"; skipped");
            continue;
        }
        if (sources.contains(source.name))
        {
            continue;
        }
        reader.TryReadString("path", source.path);
        reader.TryReadInt("rows", source.rows);
        reader.TryReadInt("columns", source.columns);
        reader.TryReadString("blend", source.blend);
        reader.TryReadInt("frameCount", source.frameCount);
        reader.TryReadBool("isLooping", source.isLooping);
        reader.TryReadFloat("frameDuration", source.frameDuration);
        CheckSheet(source, trace);
        if (!readImages)
        {
            // A texture without pixels: the worker leaves the source alone.
            source.texture = std::make_unique<Texture>();
        }
        else if (IsSplashName(source.name))
        {
            source.texture = LoadTexture(source.path);
        }
        sources.emplace(source.name, std::move(source));
    }
}

void SpriteSourceManager::CheckSheet(SpriteSource& source, Trace* trace) const
{
    const std::string subject = folder + "Art.json: SpriteSource \"" + source.name + "\"";
    if (!source.IsDrawable())
    {
        trace->Report("DATA", subject,
                      "has " + std::to_string(source.rows) + " rows and " + std::to_string(source.columns) +
                          " columns; a sheet needs at least one of each, so it draws nothing");
        return;
    }
    const long long cells = static_cast<long long>(source.rows) * source.columns;
    if (source.frameCount > cells)
    {
        trace->Report("DATA", subject,
                      "frameCount " + std::to_string(source.frameCount) + " is more than its " + std::to_string(cells) +
                          " cells; animations play only those");
        source.frameCount = static_cast<int>(cells);
    }
}

void SpriteSourceManager::StartWorker()
{
    std::vector<std::string> paths;
    for (auto& [sourceName, source] : sources)
    {
        if (!source.texture)
        {
            pending.push_back(&source);
            paths.push_back(source.path);
        }
    }
    slots = std::make_unique<Slot[]>(pending.size());
    Slot* out = slots.get();
    worker = std::jthread(
        [out, files = std::move(paths), maxSide = maxTextureSide](std::stop_token stop)
        {
            for (std::size_t i = 0; i < files.size() && !stop.stop_requested(); ++i)
            {
                out[i].image = Image::DecodeForTexture(files[i], maxSide);
                out[i].ready.store(true, std::memory_order_release);
            }
        });
}

bool SpriteSourceManager::UploadsPaused(const std::optional<float>& shown) const
{
    // Held during the first second and between the fourth and fifth, when the splash sequence fades its logos.
    return shown && (*shown < 1.0f || (*shown > 4.0f && *shown < 5.0f));
}

void SpriteSourceManager::Update(float)
{
    const std::optional<float> shown = splashClock ? splashClock() : std::optional<float>();
    if (!UploadsPaused(shown))
    {
        const auto start = std::chrono::steady_clock::now();
        while (uploadCount < pending.size() && slots[uploadCount].ready.load(std::memory_order_acquire))
        {
            UploadNext();
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
            // The splash screens keep their frame rate; a level shows whole as soon as it can.
            if (shown || spent.count() >= uploadBudget)
            {
                break;
            }
        }
    }
    if (worker.joinable() && uploadCount == pending.size())
    {
        worker.join();
        allLoaded = true;
        // The decoded pictures were freed as they were uploaded.
        ReturnFreedMemory();
    }
}

void SpriteSourceManager::UploadNext()
{
    Slot& slot = slots[uploadCount];
    SpriteSource& source = *pending[uploadCount];
    ReportUndecodable(slot.image, source.path);
    source.texture = std::make_unique<Texture>(CreateTexture(slot.image));
    slot.image = Image();
    ++uploadCount;
}

std::size_t SpriteSourceManager::DecodedCount() const
{
    std::size_t decoded = 0;
    for (std::size_t i = 0; i < pending.size(); ++i)
    {
        decoded += slots[i].ready.load(std::memory_order_acquire) ? 1 : 0;
    }
    return decoded;
}

SpriteSource* SpriteSourceManager::Find(const std::string& sourceName)
{
    const auto found = sources.find(sourceName);
    return found == sources.end() ? nullptr : &found->second;
}

std::vector<std::string> SpriteSourceManager::Names() const
{
    std::vector<std::string> names;
    names.reserve(sources.size());
    for (const auto& [sourceName, source] : sources)
    {
        names.push_back(sourceName);
    }
    return names;
}

std::unique_ptr<Texture> SpriteSourceManager::LoadTexture(const std::string& path)
{
    const Image image = Image::DecodeForTexture(path, maxTextureSide);
    ReportUndecodable(image, path);
    return std::make_unique<Texture>(CreateTexture(image));
}

void SpriteSourceManager::ReportUndecodable(const Image& image, const std::string& path)
{
    if (!image.IsValid())
    {
        registry->GetSystem<Trace>()->Report("DATA", path,
                                             image.tooLarge ? "the image is not loaded: " + image.failure
                                                            : "cannot decode the image: " + image.failure);
    }
}

std::vector<std::string> SpriteSourceNames(SystemRegistry* registry)
{
    const auto* manager = registry ? registry->GetSystem<SpriteSourceManager>() : nullptr;
    return manager ? manager->Names() : std::vector<std::string>();
}

} // namespace kesto
