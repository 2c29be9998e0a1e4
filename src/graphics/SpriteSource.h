#pragma once

#include "graphics/Texture.h"

#include <memory>
#include <string>

namespace kesto
{

// One entry of the art table: an image file, how it is cut into frames, how its frames play and how it blends.
struct SpriteSource
{
    std::string name;
    std::string path;                 // relative to the working directory
    std::unique_ptr<Texture> texture; // none until loaded; touched by the main thread only
    int rows = 0;
    int columns = 0;
    std::string blend; // "Additive" draws additively; anything else normally
    int frameCount = 0;
    bool isLooping = false;
    float frameDuration = 0.0f; // seconds per frame

    // A sheet needs at least one row and one column to be cut into cells.
    bool IsDrawable() const { return rows >= 1 && columns >= 1; }
    bool IsAdditive() const { return blend == "Additive"; }
    // Loaded with pixels: ready to be sampled.
    bool HasTexture() const { return texture && texture->HasPixels(); }
};

} // namespace kesto
