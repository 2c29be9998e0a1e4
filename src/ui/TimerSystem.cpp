#include "ui/TimerSystem.h"

#include <cmath>
#include <cstdio>

namespace kesto
{

float TimerSystem::Readout(int display) const
{
    if (splits.empty() || display == 1 || display < 0)
    {
        return time;
    }
    const std::size_t count = splits.size();
    if (display == 2)
    {
        return splits.front();
    }
    const auto k = static_cast<std::size_t>(display);
    if (display >= 3 && k - 2 < count)
    {
        return splits[k - 2] - splits[k - 3];
    }
    return time - splits.back();
}

std::string TimerSystem::FormatTime(float seconds)
{
    constexpr double longest = 999999.0 * 60.0;
    // In double: a float's fraction times 1000 can land a hair under a whole millisecond.
    double t = std::isfinite(seconds) ? static_cast<double>(seconds) : 0.0;
    t = t < 0.0 ? 0.0 : (t > longest ? longest : t);
    const auto minutes = static_cast<long long>(std::trunc(t / 60.0));
    const auto wholeSeconds = static_cast<int>(std::trunc(t - std::floor(t / 60.0) * 60.0));
    const auto milliseconds = static_cast<int>(std::trunc((t - std::floor(t)) * 1000.0));
    char text[32];
    std::snprintf(text, sizeof(text), "%lld:%02d.%03d", minutes, wholeSeconds, milliseconds);
    return text;
}

} // namespace kesto
