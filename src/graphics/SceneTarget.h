#pragma once

#include "graphics/GlObject.h"

namespace kesto
{

// Where the scene is drawn: the off-screen colour buffer that post-processing reads (an RGB texture with nearest
// filtering, no mipmaps and no depth buffer, attached to a framebuffer), or, in a frame without post-processing, the
// window itself, since copying the buffer to the window unchanged would cost a full-screen pass.
class SceneTarget
{
public:
    // Replaces the buffers with new ones of that size; needs the GL context.
    void Create(int newWidth, int newHeight);
    // Makes it the draw target, with a viewport covering it.
    void Bind() const;
    bool IsCreated() const { return static_cast<bool>(framebuffer); }
    // The framebuffer the scene is drawn into: 0 (the window's) while `onWindow` is set.
    unsigned Framebuffer() const { return onWindow ? 0u : framebuffer.Get(); }
    unsigned Texture() const { return texture.Get(); }

    int width = 0;
    int height = 0;
    bool onWindow = false; // this frame's scene goes straight to the window (nothing to post-process)

private:
    GlFramebuffer framebuffer;
    GlTexture texture;
};

} // namespace kesto
