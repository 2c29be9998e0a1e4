#pragma once

namespace kesto
{

// How the screen is covered and uncovered around a level change; the number is what levels, triggers and the
// post-processing shader use.
enum class ScreenTransition : int
{
    Fade = 0,
    Slide = 1,
    Weird = 2,
};

} // namespace kesto
