#pragma once

#include "engine/Matrix3.h"
#include "engine/Vector.h"

namespace kesto
{

// Cursor conversions from window pixels (origin top-left, y down). Pure, so they are tested without a window.

// Screen units: -aspect..aspect across, -1..1 up, origin at the window centre. A zero-sized framebuffer (no window,
// or a minimised one) gives the centre.
Vec2 PixelsToScreenUnits(double px, double py, int framebufferWidth, int framebufferHeight);

// World units: the pixel as normalised device coordinates through the inverse of the camera's world-to-screen
// matrix. screenWidth and screenHeight are the pixel size the camera keeps; a zero size gives the view centre.
Vec2 PixelsToWorld(double px, double py, const Matrix3& projView, float screenWidth, float screenHeight);

} // namespace kesto
