#include "graphics/VideoFrameTexture.h"

#include <cstring>
#include <epoxy/gl.h>
#include <utility>

namespace kesto
{

namespace
{

std::size_t ByteSize(int width, int height)
{
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
}

} // namespace

VideoFrameTexture::VideoFrameTexture(VideoFrameTexture&& other) noexcept
    : texture(std::move(other.texture)), unpackBuffer(std::move(other.unpackBuffer)),
      width(std::exchange(other.width, 0)), height(std::exchange(other.height, 0)),
      mapped(std::exchange(other.mapped, nullptr))
{
}

VideoFrameTexture& VideoFrameTexture::operator=(VideoFrameTexture&& other) noexcept
{
    texture = std::move(other.texture);
    unpackBuffer = std::move(other.unpackBuffer);
    width = std::exchange(other.width, 0);
    height = std::exchange(other.height, 0);
    mapped = std::exchange(other.mapped, nullptr);
    return *this;
}

void VideoFrameTexture::Create(int pictureWidth, int pictureHeight)
{
    width = pictureWidth;
    height = pictureHeight;
    GLuint name = 0;
    glGenTextures(1, &name);
    texture.Reset(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenBuffers(1, &name);
    unpackBuffer.Reset(name);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, name);
    glBufferData(GL_PIXEL_UNPACK_BUFFER, static_cast<GLsizeiptr>(ByteSize(width, height)), nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    mapped = nullptr;
    Map();
    if (mapped)
    {
        std::memset(mapped, 0, ByteSize(width, height));
    }
}

void VideoFrameTexture::Map()
{
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, unpackBuffer.Get());
    // The whole picture is replaced, so the old contents need not be kept (no wait for a pending upload).
    mapped = glMapBufferRange(GL_PIXEL_UNPACK_BUFFER, 0, static_cast<GLsizeiptr>(ByteSize(width, height)),
                              GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
}

void VideoFrameTexture::Write(std::span<const std::uint8_t> rgb)
{
    if (!IsCreated() || rgb.size() != ByteSize(width, height))
    {
        return;
    }
    if (!mapped)
    {
        Map();
    }
    if (mapped)
    {
        std::memcpy(mapped, rgb.data(), rgb.size());
    }
}

void VideoFrameTexture::Bind()
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture.Get());
    if (!mapped)
    {
        return;
    }
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, unpackBuffer.Get());
    mapped = nullptr;
    // False when the driver lost the contents while mapped; the texture then keeps the picture before.
    if (glUnmapBuffer(GL_PIXEL_UNPACK_BUFFER) == GL_TRUE)
    {
        // Rows of RGB pictures are not padded to 4 bytes.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    }
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
}

} // namespace kesto
