#pragma once

#include "FrameTiming.h"

#include <string>

namespace kesto
{
class SystemRegistry;
}

namespace kesto::bench
{

// Loads a level as the game does (with its sublevels), waits until every texture is uploaded, takes the camera
// from the player and moves it across the level's bounds, there and back along three rows (low, middle, high),
// over `frames` frames; the level runs as in play meanwhile. A level without bounds is toured one view's width to
// each side of its start. A quick lap first (a quarter of the frames) is not measured.
Figures TourLevel(SystemRegistry& registry, const std::string& level, int frames);

} // namespace kesto::bench
