#include "graphics/Texture.h"

#include "graphics/Image.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstddef>
#include <epoxy/gl.h>
#include <vector>

namespace kesto
{

TexelCoverage FindTexelCoverage(const Image& image)
{
    TexelCoverage box;
    if (!image.IsValid() || image.channels != 4)
    {
        box.opaque = image.IsValid();
        return box;
    }
    int left = image.width;
    int right = -1;
    int bottom = image.height;
    int top = -1;
    bool opaque = true;
    const unsigned char* pixels = image.Pixels();
    for (int y = 0; y < image.height; ++y)
    {
        const unsigned char* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) * 4;
        for (int x = 0; x < image.width; ++x)
        {
            const unsigned char alpha = row[x * 4 + 3];
            opaque = opaque && alpha == 255;
            if (alpha != 0)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, y);
                top = std::max(top, y);
            }
        }
    }
    box.opaque = opaque;
    if (right < 0)
    {
        box = {0.0f, 0.0f, 0.0f, 0.0f, false};
        return box;
    }
    const auto fraction = [](int texel, int size) { return static_cast<float>(std::clamp(texel, 0, size)) / size; };
    box.uLow = fraction(left - visibleMargin, image.width);
    box.uHigh = fraction(right + 1 + visibleMargin, image.width);
    box.vLow = fraction(bottom - visibleMargin, image.height);
    box.vHigh = fraction(top + 1 + visibleMargin, image.height);
    return box;
}

void Texture::Bind(int unit, bool repeatU, bool repeatV, bool magnifiedOnly)
{
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, id.Get());
    const int s = repeatU ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    const int t = repeatV ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    if (s != wrapS)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, s);
        wrapS = s;
    }
    if (t != wrapT)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, t);
        wrapT = t;
    }
    const int filter = magnifiedOnly ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    if (filter != minFilter)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        minFilter = filter;
    }
}

int MaxTextureSide()
{
    constexpr int ceiling = 8192;
    if (!glfwGetCurrentContext())
    {
        return ceiling;
    }
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    return limit > 0 ? std::min(limit, ceiling) : ceiling;
}

Texture CreateTexture(const Image& image)
{
    // Headless (tests, the data checker): the picture's size and coverage are kept, nothing is uploaded.
    if (!glfwGetCurrentContext())
    {
        Texture unloaded;
        if (image.IsValid())
        {
            unloaded.width = image.width;
            unloaded.height = image.height;
            unloaded.coverage = FindTexelCoverage(image);
        }
        return unloaded;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    Texture texture;
    texture.id.Reset(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    texture.wrapS = GL_CLAMP_TO_EDGE;
    texture.wrapT = GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    texture.minFilter = GL_LINEAR_MIPMAP_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (image.IsValid())
    {
        const GLenum format = image.channels == 3 ? GL_RGB : GL_RGBA;
        // Rows of 3-channel images are not padded to 4 bytes.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
                     GL_UNSIGNED_BYTE, image.Pixels());
        const std::vector<MipLevel> made = image.mipmaps.empty()
                                               ? BuildMipmaps(image.Pixels(), image.width, image.height, image.channels)
                                               : std::vector<MipLevel>();
        const std::vector<MipLevel>& levels = image.mipmaps.empty() ? made : image.mipmaps;
        for (std::size_t i = 0; i < levels.size(); ++i)
        {
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i + 1), static_cast<GLint>(format), levels[i].width,
                         levels[i].height, 0, format, GL_UNSIGNED_BYTE, levels[i].pixels.data());
        }
        texture.width = image.width;
        texture.height = image.height;
        texture.coverage = FindTexelCoverage(image);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

} // namespace kesto
