#pragma once

#include "engine/ISystem.h"
#include "graphics/Image.h"
#include "graphics/SpriteSource.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kesto
{

class SystemRegistry;
class Trace;

// Knows every image of the game. The splash images load at once; every other image is decoded by one worker
// thread and uploaded by the main thread: one texture per frame while a splash sequence shows (its pacing), as many
// as fit in `uploadBudget` otherwise. Images bigger than MaxTextureSide are refused before they are decoded.
class SpriteSourceManager : public ISystem
{
public:
    // Seconds the splash sequence has been shown, or nothing when no splash sequence is running (uploads are then
    // never held back).
    using SplashClock = std::function<std::optional<float>()>;

    // Without an asset root the manager reads no table until a folder is given.
    SpriteSourceManager() = default;
    explicit SpriteSourceManager(std::string_view assetRoot);
    ~SpriteSourceManager() override;

    // Reads folder + "Art.json" (nothing for an empty folder), loads the splash images and starts the worker;
    // needs the GL context.
    void Init() override;
    // Uploads decoded images (one while a splash sequence runs, else while the budget lasts, at least one); joins
    // the worker once everything is uploaded.
    void Update(float dt) override;

    // The source of that name, or null.
    SpriteSource* Find(const std::string& sourceName);
    // Every source name in ascending order (the map's order).
    std::vector<std::string> Names() const;

    // Decodes and uploads an image now, on the calling (main) thread; a file that cannot be decoded or is too big
    // is reported and gives a texture without pixels.
    std::unique_ptr<Texture> LoadTexture(const std::string& path);

    // How many images the worker has decoded so far, and how many it decodes in all (loading progress).
    std::size_t DecodedCount() const;
    std::size_t PendingCount() const { return pending.size(); }
    // How many textures the upload step has made so far.
    std::size_t UploadCount() const { return uploadCount; }

    std::string folder;                          // where Init finds Art.json
    std::map<std::string, SpriteSource> sources; // name -> source; not changed while the worker runs
    bool allLoaded = false;                      // every image is uploaded and the worker joined
    SplashClock splashClock;                     // empty means no splash sequence is running
    double uploadBudget = 0.004;                 // seconds of uploading per frame outside a splash sequence
    int maxTextureSide = 8192;                   // pixels; set from the GL at Init
    bool readImages = true; // false: the art table only, every source without pixels (an engine without GL)

private:
    // Reports a sheet without cells, and clamps a frame count past its cells.
    void CheckSheet(SpriteSource& source, Trace* trace) const;

    struct Slot
    {
        Image image;
        std::atomic<bool> ready{false}; // published by the worker with release, read with acquire
    };

    void ReadArtTable();
    void StartWorker();
    bool UploadsPaused(const std::optional<float>& shown) const;
    void UploadNext();
    void ReportUndecodable(const Image& image, const std::string& path);

    std::vector<SpriteSource*> pending; // sources the worker decodes, in name order; slot i belongs to pending[i]
    std::unique_ptr<Slot[]> slots;
    std::size_t uploadCount = 0;
    std::jthread worker;
};

// Every sprite source name of the registry's manager, in ascending order; none without one. Feeds the inspectors'
// sprite-source combos.
std::vector<std::string> SpriteSourceNames(SystemRegistry* registry);

} // namespace kesto
