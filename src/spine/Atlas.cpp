#include "spine/Atlas.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kesto::spine
{
namespace
{

// Larger numbers are no real atlas; keeping them small also keeps every sum of them inside int.
constexpr int maxAtlasNumber = 1 << 20;
// Files larger than this are not read at all.
constexpr std::uintmax_t maxFileSize = 256u << 20;

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
    {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// One "key: a, b, ..." line of a page header or a region.
struct Property
{
    std::string_view key;
    std::vector<std::string_view> values;
};

Property SplitProperty(std::string_view line, std::size_t colon)
{
    Property property{Trim(line.substr(0, colon)), {}};
    std::string_view rest = line.substr(colon + 1);
    while (true)
    {
        const auto comma = rest.find(',');
        property.values.push_back(Trim(rest.substr(0, comma)));
        if (comma == std::string_view::npos)
        {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    return property;
}

struct PendingRegion
{
    AtlasRegion region;
    std::size_t page = 0;
    int line = 0;
    bool hasXy = false;
    bool hasSize = false;
    bool hasOrig = false;
};

struct PendingPage
{
    AtlasPage page;
    int line = 0;
    bool hasSize = false;
};

// Reads the text line by line; the first problem stops it with a message naming the line.
class AtlasParser
{
public:
    AtlasParser(std::string_view atlasText, std::string_view name) : text(atlasText), fileName(name) {}

    bool Parse()
    {
        bool expectPage = true;
        bool inRegion = false;
        while (NextLine())
        {
            const std::string_view content = Trim(line);
            if (content.empty())
            {
                expectPage = true;
                inRegion = false;
                continue;
            }
            const auto colon = content.find(':');
            if (expectPage)
            {
                if (colon != std::string_view::npos)
                {
                    return Fail("expected a page image name, found \"" + std::string(content) + "\"");
                }
                pages.push_back({});
                pages.back().page.name = std::string(content);
                pages.back().line = lineNumber;
                expectPage = false;
                continue;
            }
            if (colon == std::string_view::npos)
            {
                regions.push_back({});
                regions.back().region.name = std::string(content);
                regions.back().page = pages.size() - 1;
                regions.back().line = lineNumber;
                inRegion = true;
                continue;
            }
            const Property property = SplitProperty(content, colon);
            if (!(inRegion ? ReadRegionProperty(property, regions.back()) : ReadPageProperty(property, pages.back())))
            {
                return false;
            }
        }
        if (pages.empty())
        {
            return Fail("has no pages", false);
        }
        return Validate();
    }

    const std::string& Error() const { return error; }

    std::vector<PendingPage> pages;
    std::vector<PendingRegion> regions;

private:
    bool NextLine()
    {
        if (position >= text.size())
        {
            return false;
        }
        const auto end = text.find('\n', position);
        line = text.substr(position, end == std::string_view::npos ? std::string_view::npos : end - position);
        position = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        return true;
    }

    bool Fail(const std::string& message, bool atLine = true)
    {
        error = std::string(fileName) + ": " + (atLine ? "line " + std::to_string(lineNumber) + ": " : "") + message;
        return false;
    }

    bool ReadInts(const Property& property, std::size_t count, int* out)
    {
        if (property.values.size() != count)
        {
            return Fail("\"" + std::string(property.key) + "\" needs " + std::to_string(count) + " numbers");
        }
        for (std::size_t i = 0; i < count; ++i)
        {
            const std::string_view value = property.values[i];
            int number = 0;
            const auto [end, result] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (result != std::errc() || end != value.data() + value.size() || number > maxAtlasNumber ||
                number < -maxAtlasNumber)
            {
                return Fail("\"" + std::string(value) + "\" is not a number of \"" + std::string(property.key) +
                            "\" within +-" + std::to_string(maxAtlasNumber));
            }
            out[i] = number;
        }
        return true;
    }

    template <typename Enum, std::size_t N>
    bool ReadName(const Property& property, std::string_view value, const std::array<std::string_view, N>& names,
                  Enum& out)
    {
        for (std::size_t i = 0; i < N; ++i)
        {
            if (value == names[i])
            {
                out = static_cast<Enum>(i);
                return true;
            }
        }
        return Fail("unknown " + std::string(property.key) + " \"" + std::string(value) + "\"");
    }

    bool ReadPageProperty(const Property& property, PendingPage& pending)
    {
        static constexpr std::array<std::string_view, 7> formats = {"Alpha",    "Intensity", "LuminanceAlpha", "RGB565",
                                                                    "RGBA4444", "RGB888",    "RGBA8888"};
        static constexpr std::array<std::string_view, 7> filters = {"Nearest",
                                                                    "Linear",
                                                                    "MipMap",
                                                                    "MipMapNearestNearest",
                                                                    "MipMapLinearNearest",
                                                                    "MipMapNearestLinear",
                                                                    "MipMapLinearLinear"};
        AtlasPage& page = pending.page;
        if (property.key == "size")
        {
            int size[2] = {};
            if (!ReadInts(property, 2, size))
            {
                return false;
            }
            if (size[0] <= 0 || size[1] <= 0)
            {
                return Fail("page size must be positive");
            }
            page.width = size[0];
            page.height = size[1];
            pending.hasSize = true;
            return true;
        }
        if (property.key == "format")
        {
            return ReadName(property, property.values[0], formats, page.format);
        }
        if (property.key == "filter")
        {
            if (property.values.size() != 2)
            {
                return Fail("\"filter\" needs a minification and a magnification filter");
            }
            return ReadName(property, property.values[0], filters, page.minFilter) &&
                   ReadName(property, property.values[1], filters, page.magFilter);
        }
        if (property.key == "repeat")
        {
            const std::string_view repeat = property.values[0];
            if (repeat != "none" && repeat != "x" && repeat != "y" && repeat != "xy")
            {
                return Fail("unknown repeat \"" + std::string(repeat) + "\"");
            }
            page.uWrap = repeat.find('x') != std::string_view::npos ? AtlasWrap::Repeat : AtlasWrap::ClampToEdge;
            page.vWrap = repeat.find('y') != std::string_view::npos ? AtlasWrap::Repeat : AtlasWrap::ClampToEdge;
            return true;
        }
        // Newer header lines (such as "pma") mean nothing to this format.
        return true;
    }

    bool ReadRegionProperty(const Property& property, PendingRegion& pending)
    {
        AtlasRegion& region = pending.region;
        int numbers[2] = {};
        if (property.key == "rotate")
        {
            const std::string_view rotate = property.values[0];
            if (property.values.size() != 1 ||
                (rotate != "true" && rotate != "false" && rotate != "90" && rotate != "0"))
            {
                return Fail("\"rotate\" must be true or false");
            }
            region.rotate = rotate == "true" || rotate == "90";
            return true;
        }
        if (property.key == "xy" || property.key == "size" || property.key == "orig" || property.key == "offset")
        {
            if (!ReadInts(property, 2, numbers))
            {
                return false;
            }
            if (property.key != "offset" && (numbers[0] < 0 || numbers[1] < 0))
            {
                return Fail("\"" + std::string(property.key) + "\" must not be negative");
            }
        }
        if (property.key == "xy")
        {
            region.x = numbers[0];
            region.y = numbers[1];
            pending.hasXy = true;
        }
        else if (property.key == "size")
        {
            region.width = numbers[0];
            region.height = numbers[1];
            pending.hasSize = true;
        }
        else if (property.key == "orig")
        {
            region.originalWidth = numbers[0];
            region.originalHeight = numbers[1];
            pending.hasOrig = true;
        }
        else if (property.key == "offset")
        {
            region.offsetX = numbers[0];
            region.offsetY = numbers[1];
        }
        else if (property.key == "index")
        {
            return ReadInts(property, 1, &region.index);
        }
        // "split" and "pad" are nine-patch data, meaningless for skeletons.
        return true;
    }

    bool Validate()
    {
        for (const PendingPage& page : pages)
        {
            if (!page.hasSize)
            {
                lineNumber = page.line;
                return Fail("page \"" + page.page.name + "\" has no \"size\"");
            }
        }
        for (PendingRegion& pending : regions)
        {
            lineNumber = pending.line;
            AtlasRegion& region = pending.region;
            if (!pending.hasXy || !pending.hasSize)
            {
                return Fail("region \"" + region.name + "\" needs \"xy\" and \"size\"");
            }
            if (!pending.hasOrig)
            {
                region.originalWidth = region.width;
                region.originalHeight = region.height;
            }
            const AtlasPage& page = pages[pending.page].page;
            const int onPageWidth = region.rotate ? region.height : region.width;
            const int onPageHeight = region.rotate ? region.width : region.height;
            if (region.x + onPageWidth > page.width || region.y + onPageHeight > page.height)
            {
                return Fail("region \"" + region.name + "\" lies outside its page of " + std::to_string(page.width) +
                            " x " + std::to_string(page.height));
            }
            const float width = static_cast<float>(page.width);
            const float height = static_cast<float>(page.height);
            region.u = static_cast<float>(region.x) / width;
            region.v = static_cast<float>(region.y) / height;
            region.u2 = static_cast<float>(region.x + onPageWidth) / width;
            region.v2 = static_cast<float>(region.y + onPageHeight) / height;
        }
        return true;
    }

    std::string_view text;
    std::string_view fileName;
    std::string_view line;
    std::size_t position = 0;
    int lineNumber = 0;
    std::string error;
};

} // namespace

std::optional<std::string> ReadFile(const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > maxFileSize)
    {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
    {
        return std::nullopt;
    }
    return content;
}

Atlas::Atlas(Host pageHost) : host(std::move(pageHost)) {}

Atlas::~Atlas()
{
    if (host.disposeTexture)
    {
        for (const std::size_t page : createdPages)
        {
            host.disposeTexture(pages[page]);
        }
    }
}

const AtlasRegion* Atlas::FindRegion(std::string_view name) const
{
    const auto found = firstRegion.find(std::string(name));
    return found == firstRegion.end() ? nullptr : &regions[found->second];
}

std::unique_ptr<Atlas> LoadAtlasFromText(std::string_view text, std::string_view folder, std::string_view name,
                                         Host host, const ReportCallback& report)
{
    AtlasParser parser(text, name);
    if (!parser.Parse())
    {
        if (report)
        {
            report(parser.Error());
        }
        return nullptr;
    }
    auto atlas = std::make_unique<Atlas>(std::move(host));
    for (PendingPage& page : parser.pages)
    {
        atlas->pages.push_back(std::move(page.page));
    }
    for (PendingRegion& pending : parser.regions)
    {
        pending.region.page = &atlas->pages[pending.page];
        atlas->firstRegion.emplace(pending.region.name, atlas->regions.size());
        atlas->regions.push_back(std::move(pending.region));
    }
    for (std::size_t i = 0; i < atlas->pages.size(); ++i)
    {
        AtlasPage& page = atlas->pages[i];
        const std::string path = folder.empty() ? page.name : (std::filesystem::path(folder) / page.name).string();
        std::error_code ec;
        const bool created = atlas->host.createTexture ? atlas->host.createTexture(page, path)
                                                       : std::filesystem::is_regular_file(path, ec);
        if (!created)
        {
            if (report)
            {
                report(std::string(name) + ": line " + std::to_string(parser.pages[i].line) + ": page image \"" + path +
                       "\" cannot be loaded");
            }
            // The pages created so far are disposed of with the atlas.
            return nullptr;
        }
        if (atlas->host.createTexture)
        {
            atlas->createdPages.push_back(i);
        }
    }
    return atlas;
}

std::unique_ptr<Atlas> LoadAtlasFile(const std::string& path, Host host, const ReportCallback& report)
{
    const std::optional<std::string> text = host.readFile ? host.readFile(path) : ReadFile(path);
    if (!text)
    {
        if (report)
        {
            report(path + ": cannot be read");
        }
        return nullptr;
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return LoadAtlasFromText(*text, folder, path, std::move(host), report);
}

} // namespace kesto::spine
