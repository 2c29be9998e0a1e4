#pragma once

#include <string>
#include <vector>

namespace kesto::test
{

// An RGB picture read back from GL, rows bottom-up as GL stores them.
struct Pixels
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    struct Color
    {
        int r = 0;
        int g = 0;
        int b = 0;
    };

    // (x, y) in window pixels with y counted from the top, as on screen.
    Color At(int x, int y) const;
};

// Reads the presented window (after the swap) or a framebuffer (0: the window's); needs the GL context.
Pixels ReadWindow(int width, int height);
Pixels ReadFramebuffer(unsigned framebuffer, int width, int height);

// Writes the picture as a PNG, top row first; false when the file cannot be written.
bool WritePng(const std::string& path, const Pixels& pixels);

} // namespace kesto::test
