#pragma once

#include <cmath>

namespace kesto
{

// Fades and holds longer than this are data mistakes; an hour still converts to any clock without overflow.
inline constexpr float longestFadeSeconds = 3600.0f;

// A length of time from data made safe to count with: an undefined or negative length becomes 0 and anything longer
// than `longest` (infinity included) becomes `longest`. Returns whether the length was already in range.
inline bool ClampSeconds(float& seconds, float longest = longestFadeSeconds)
{
    if (std::isnan(seconds) || seconds < 0.0f)
    {
        seconds = 0.0f;
        return false;
    }
    if (seconds > longest)
    {
        seconds = longest;
        return false;
    }
    return true;
}

} // namespace kesto
