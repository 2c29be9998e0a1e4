#pragma once

#include "spine/SpineTypes.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kesto::spine
{

enum class AtlasFormat : std::uint8_t
{
    Alpha,
    Intensity,
    LuminanceAlpha,
    RGB565,
    RGBA4444,
    RGB888,
    RGBA8888,
};

enum class AtlasFilter : std::uint8_t
{
    Nearest,
    Linear,
    MipMap,
    MipMapNearestNearest,
    MipMapLinearNearest,
    MipMapNearestLinear,
    MipMapLinearLinear,
};

enum class AtlasWrap : std::uint8_t
{
    ClampToEdge,
    Repeat,
};

// One page image of an atlas and how it wants to be sampled.
struct AtlasPage
{
    std::string name; // image file, relative to the atlas file's folder
    AtlasFormat format = AtlasFormat::RGBA8888;
    AtlasFilter minFilter = AtlasFilter::Nearest;
    AtlasFilter magFilter = AtlasFilter::Nearest;
    AtlasWrap uWrap = AtlasWrap::ClampToEdge;
    AtlasWrap vWrap = AtlasWrap::ClampToEdge;
    int width = 0; // pixels, from the "size" line; region UVs are relative to it
    int height = 0;
    // The host's texture: set by Host::createTexture, released by Host::disposeTexture; never touched here.
    void* rendererObject = nullptr;
};

// A named rectangle of a page. UVs follow the image convention: u right, v down, 0..1 over the page.
struct AtlasRegion
{
    std::string name;
    const AtlasPage* page = nullptr; // never null in a loaded atlas
    int x = 0;                       // top-left pixel on the page, y measured down
    int y = 0;
    int width = 0; // packed size in the image's own (unrotated) orientation
    int height = 0;
    float u = 0.0f; // top-left of the rectangle the region occupies on the page
    float v = 0.0f;
    float u2 = 0.0f; // bottom-right
    float v2 = 0.0f;
    int offsetX = 0; // pixels stripped from the left of the original image
    int offsetY = 0; // pixels stripped from the bottom
    int originalWidth = 0;
    int originalHeight = 0;
    int index = -1;      // frame index of an image sequence, -1 for a single image
    bool rotate = false; // stored on the page turned 90 degrees counter-clockwise
};

// The runtime's default file reader: the whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path);

// What the program supplies: reading files and making textures of atlas pages.
struct Host
{
    std::function<std::optional<std::string>(const std::string& path)> readFile = ReadFile;
    // Loads the page image at path into page.rendererObject (and may set width and height); false when the image
    // cannot be loaded, which fails the atlas. When empty, a page only needs its image file to exist.
    std::function<bool(AtlasPage& page, const std::string& path)> createTexture;
    // Releases what createTexture stored; called once for every page whose texture was created. May be empty.
    std::function<void(AtlasPage& page)> disposeTexture;
};

// A texture atlas: pages and the regions packed on them. Regions and pages keep their addresses for the atlas's
// lifetime; attachments of skeleton data read from it point into it, so it must outlive that data.
class Atlas
{
public:
    explicit Atlas(Host pageHost);
    // Disposes of the page textures through the host.
    ~Atlas();
    Atlas(const Atlas&) = delete;
    Atlas& operator=(const Atlas&) = delete;

    // The first region of that name, or null.
    const AtlasRegion* FindRegion(std::string_view name) const;
    const std::deque<AtlasPage>& Pages() const { return pages; }
    const std::vector<AtlasRegion>& Regions() const { return regions; }
    const Host& GetHost() const { return host; }

private:
    friend std::unique_ptr<Atlas> LoadAtlasFromText(std::string_view, std::string_view, std::string_view, Host,
                                                    const ReportCallback&);

    Host host;
    std::deque<AtlasPage> pages;
    std::vector<std::size_t> createdPages; // indices of pages whose texture the host created
    std::vector<AtlasRegion> regions;
    std::unordered_map<std::string, std::size_t> firstRegion; // index by name
};

// Reads an atlas in the text format. folder is where page images are looked for (may be empty); name is how
// messages call the file. Any problem gives null and one report naming the line; no texture is then left behind.
std::unique_ptr<Atlas> LoadAtlasFromText(std::string_view text, std::string_view folder, std::string_view name,
                                         Host host, const ReportCallback& report);
// Reads the atlas file at path through host.readFile; page images are looked for beside it.
std::unique_ptr<Atlas> LoadAtlasFile(const std::string& path, Host host, const ReportCallback& report);

} // namespace kesto::spine
