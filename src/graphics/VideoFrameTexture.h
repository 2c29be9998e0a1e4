#pragma once

#include "graphics/GlObject.h"

#include <cstdint>
#include <span>

namespace kesto
{

// The GL side of a video: an RGB texture and the pixel-unpack buffer a new picture waits in until it is drawn.
// The buffer stays mapped from the moment a picture is written until the draw that uploads it, so the copy happens
// when the picture is decoded and the upload when it is drawn. Needs the GL context once created; move-only.
class VideoFrameTexture
{
public:
    VideoFrameTexture() = default;
    VideoFrameTexture(VideoFrameTexture&& other) noexcept;
    VideoFrameTexture& operator=(VideoFrameTexture&& other) noexcept;

    // Makes the texture (RGB8, clamped, linear, no mipmaps) and a buffer of width x height x 3 bytes, left mapped
    // and black, so a draw before the first picture shows black.
    void Create(int width, int height);
    bool IsCreated() const { return static_cast<bool>(texture); }
    bool IsMapped() const { return mapped != nullptr; }

    // Copies one picture (width x height x 3 bytes, top row first) into the buffer, mapping it first when needed.
    // A picture of another size, or a buffer that cannot be mapped, is skipped.
    void Write(std::span<const std::uint8_t> rgb);
    // Binds the texture to unit 0; a picture written since the last bind is uploaded first.
    void Bind();

    GlTexture texture;
    GlBuffer unpackBuffer;
    int width = 0;  // pixels
    int height = 0; // pixels

private:
    void Map();

    void* mapped = nullptr; // the buffer's mapping while it is mapped
};

} // namespace kesto
