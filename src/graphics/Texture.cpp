#include "graphics/Texture.h"

#include "graphics/Image.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstddef>
#include <epoxy/gl.h>
#include <vector>

namespace kesto
{

namespace
{

bool IsOpaque(const Image& image)
{
    if (image.channels == 3)
    {
        return true;
    }
    const auto count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    const unsigned char* pixels = image.Pixels();
    for (std::size_t i = 0; i < count; ++i)
    {
        if (pixels[i * 4 + 3] != 255)
        {
            return false;
        }
    }
    return true;
}

} // namespace

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
        texture.opaque = IsOpaque(image);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

} // namespace kesto
