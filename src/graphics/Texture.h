#pragma once

#include "graphics/GlObject.h"

namespace kesto
{

class Image;

// Where a picture's visible texels are, in texture coordinates (0 to 1 along each axis, v from the bottom), and
// whether all of them are fully opaque.
struct TexelCoverage
{
    float uLow = 0.0f;
    float uHigh = 1.0f;
    float vLow = 0.0f;
    float vHigh = 1.0f;
    bool opaque = false; // every texel has full alpha
};

// Texels this far outside the last visible one are kept in the box: the mipmaps' filtered edges reach that far up
// to a sixteenth of the picture's size on screen.
inline constexpr int visibleMargin = 32;

// The box around every texel with any opacity, widened by `visibleMargin` texels (clamped to the picture); the
// whole picture for RGB images, an empty box at 0 for a picture with nothing visible.
TexelCoverage FindTexelCoverage(const Image& image);

// A GL 2D texture and its size in pixels. A texture made from an image that failed to decode has size 0 and is
// not drawn.
struct Texture
{
    GlTexture id;
    int width = 0;
    int height = 0;
    int wrapS = 0; // last wrap modes and minification filter set on it, so binding for a draw changes them only
    int wrapT = 0; // when they differ
    int minFilter = 0;
    TexelCoverage coverage; // a quad showing the picture once need only cover its visible part

    bool HasPixels() const { return width > 0 && height > 0; }
    // Binds to a texture unit, repeating or clamping to the edge along each axis. `magnifiedOnly` says that no pixel
    // of the draw shows more than one texel across: GL would take the magnification filter for every pixel, so the
    // trilinear minification filter is switched off for it, which a software rasteriser then need not prepare for.
    void Bind(int unit, bool repeatU, bool repeatV, bool magnifiedOnly = false);
};

// The largest side a texture may have: the GL's own limit, and never more than 8192 (a bigger picture costs hundreds
// of megabytes for a sprite); 8192 without a GL context.
int MaxTextureSide();

// Uploads an image with clamp-to-edge wrapping, trilinear minification, linear magnification and mipmaps (the
// image's own, or made now), RGB for 3 channels and RGBA otherwise. An invalid image gives a texture object without
// pixels. Needs the GL context.
Texture CreateTexture(const Image& image);

} // namespace kesto
