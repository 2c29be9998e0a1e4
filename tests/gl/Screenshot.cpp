#include "gl/Screenshot.h"

#include <cstddef>
#include <epoxy/gl.h>
#include <stb_image_write.h>

namespace kesto::test
{

namespace
{

Pixels ReadBound(GLenum buffer, int width, int height)
{
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.rgb.data());
    return pixels;
}

} // namespace

Pixels::Color Pixels::At(int x, int y) const
{
    const auto row = static_cast<std::size_t>(height - 1 - y);
    const std::size_t index = (row * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return {rgb[index], rgb[index + 1], rgb[index + 2]};
}

Pixels ReadWindow(int width, int height)
{
    // Mesa's software rasteriser swaps by copying, so the back buffer still holds the presented picture (its
    // front buffer reads back empty).
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return ReadBound(GL_BACK, width, height);
}

Pixels ReadFramebuffer(unsigned framebuffer, int width, int height)
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    Pixels pixels = ReadBound(framebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0, width, height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return pixels;
}

bool WritePng(const std::string& path, const Pixels& pixels)
{
    const int stride = pixels.width * 3;
    // GL rows run bottom-up; starting at the last row with a negative stride writes the picture upright.
    const unsigned char* top = pixels.rgb.data() + static_cast<std::ptrdiff_t>(stride) * (pixels.height - 1);
    return stbi_write_png(path.c_str(), pixels.width, pixels.height, 3, top, -stride) != 0;
}

} // namespace kesto::test
