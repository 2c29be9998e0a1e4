#pragma once

#include "graphics/GlObject.h"

namespace kesto
{

// The off-screen colour buffer the scene is drawn into before post-processing: an RGB texture (nearest
// filtering, no mipmaps, no depth buffer) attached to a framebuffer.
class SceneTarget
{
public:
    // Replaces the buffers with new ones of that size; needs the GL context.
    void Create(int newWidth, int newHeight);
    // Makes it the draw target, with a viewport covering it.
    void Bind() const;
    bool IsCreated() const { return static_cast<bool>(framebuffer); }
    unsigned Framebuffer() const { return framebuffer.Get(); }
    unsigned Texture() const { return texture.Get(); }

    int width = 0;
    int height = 0;

private:
    GlFramebuffer framebuffer;
    GlTexture texture;
};

} // namespace kesto
