#include "graphics/Image.h"

#include "engine/AssetPath.h"

#include <algorithm>
#include <cstddef>
#include <stb_image.h>
#include <vector>

namespace kesto
{

namespace
{

void FlipRows(unsigned char* data, int width, int height, int channels)
{
    const auto stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    std::vector<unsigned char> row(stride);
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    {
        unsigned char* a = data + stride * static_cast<std::size_t>(top);
        unsigned char* b = data + stride * static_cast<std::size_t>(bottom);
        std::copy(a, a + stride, row.begin());
        std::copy(b, b + stride, a);
        std::copy(row.begin(), row.end(), b);
    }
}

} // namespace

void Image::Free::operator()(unsigned char* data) const { stbi_image_free(data); }

Image Image::Decode(const std::string& path, bool flipVertically, int channels)
{
    Image image;
    int fileChannels = 0;
    const std::string file = AssetPath(path).string();
    image.pixels.reset(stbi_load(file.c_str(), &image.width, &image.height, &fileChannels, channels));
    if (!image.pixels)
    {
        const char* reason = stbi_failure_reason();
        image.failure = reason ? reason : "unknown decoder failure";
        image.width = 0;
        image.height = 0;
        return image;
    }
    image.channels = channels != 0 ? channels : fileChannels;
    if (flipVertically)
    {
        FlipRows(image.pixels.get(), image.width, image.height, image.channels);
    }
    return image;
}

Image Image::DecodeForTexture(const std::string& path, int maxSide)
{
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    const std::string file = AssetPath(path).string();
    const bool known = stbi_info(file.c_str(), &width, &height, &fileChannels) != 0;
    if (known && (width > maxSide || height > maxSide))
    {
        Image refused;
        refused.failure = std::to_string(width) + " x " + std::to_string(height) + " pixels, more than the " +
                          std::to_string(maxSide) + " a texture may have on a side";
        refused.tooLarge = true;
        return refused;
    }
    // Grey and grey-alpha files would be misread as RGBA rows, so they are expanded.
    Image image = Decode(path, true, known && fileChannels == 3 ? 3 : 4);
    image.mipmaps = BuildMipmaps(image.Pixels(), image.width, image.height, image.channels);
    return image;
}

} // namespace kesto
