#include "graphics/Mipmaps.h"

#include <algorithm>
#include <cstddef>

namespace kesto
{

namespace
{

MipLevel HalfOf(const unsigned char* above, int width, int height, int channels)
{
    MipLevel level;
    level.width = std::max(width / 2, 1);
    level.height = std::max(height / 2, 1);
    level.pixels.resize(static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height) *
                        static_cast<std::size_t>(channels));
    const auto at = [&](int x, int y, int c)
    {
        return above[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) *
                         static_cast<std::size_t>(channels) +
                     static_cast<std::size_t>(c)];
    };
    unsigned char* out = level.pixels.data();
    for (int y = 0; y < level.height; ++y)
    {
        const int y0 = 2 * y;
        const int y1 = std::min(2 * y + 1, height - 1);
        for (int x = 0; x < level.width; ++x)
        {
            const int x0 = 2 * x;
            const int x1 = std::min(2 * x + 1, width - 1);
            for (int c = 0; c < channels; ++c)
            {
                const int sum = at(x0, y0, c) + at(x1, y0, c) + at(x0, y1, c) + at(x1, y1, c);
                *out++ = static_cast<unsigned char>((sum + 2) / 4);
            }
        }
    }
    return level;
}

} // namespace

std::vector<MipLevel> BuildMipmaps(const unsigned char* pixels, int width, int height, int channels)
{
    std::vector<MipLevel> levels;
    if (!pixels || width <= 0 || height <= 0 || channels <= 0)
    {
        return levels;
    }
    const unsigned char* above = pixels;
    int w = width;
    int h = height;
    while (w > 1 || h > 1)
    {
        levels.push_back(HalfOf(above, w, h, channels));
        above = levels.back().pixels.data();
        w = levels.back().width;
        h = levels.back().height;
    }
    return levels;
}

} // namespace kesto
