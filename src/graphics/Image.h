#pragma once

#include "graphics/Mipmaps.h"

#include <memory>
#include <string>
#include <vector>

namespace kesto
{

// Decoded pixels of one image file, rows bottom-up when flipped (texture row 0 is the bottom of the picture).
class Image
{
public:
    // Decodes with stb_image; channels 0 keeps the file's own count. Safe to call from any thread.
    // A file that cannot be decoded gives an image that is not valid, with the decoder's reason in `failure`.
    static Image Decode(const std::string& path, bool flipVertically, int channels = 0);

    // Decodes for a texture, flipped: 3-channel files stay RGB, every other file becomes RGBA; with its mipmaps. A
    // picture wider or taller than `maxSide` pixels is refused from its header, before any pixel is decoded.
    static Image DecodeForTexture(const std::string& path, int maxSide);

    bool IsValid() const { return pixels != nullptr; }
    const unsigned char* Pixels() const { return pixels.get(); }
    unsigned char* Pixels() { return pixels.get(); }

    int width = 0;
    int height = 0;
    int channels = 0;
    std::string failure;           // why it is not valid; empty when valid
    bool tooLarge = false;         // refused for its size, not decoded at all
    std::vector<MipLevel> mipmaps; // the levels below the pixels, when decoded for a texture

private:
    struct Free
    {
        void operator()(unsigned char* data) const;
    };
    std::unique_ptr<unsigned char, Free> pixels;
};

} // namespace kesto
