#pragma once

#include <vector>

namespace kesto
{

// One level of a texture's mipmap chain: tightly packed rows of `channels` bytes per texel.
struct MipLevel
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

// The levels below an image down to 1 x 1, each half the size of the one above (rounded down, at least 1), every
// texel the rounded mean of the 2 x 2 texels above it (fewer at a side of 1): a box filter, as GL recommends for
// glGenerateMipmap. Computed on the processor so it can run on the image worker, off the main thread, and so the
// software rasteriser compiles no drawing code to make mipmaps.
std::vector<MipLevel> BuildMipmaps(const unsigned char* pixels, int width, int height, int channels);

} // namespace kesto
