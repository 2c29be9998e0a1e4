#include "particles/ValueCheck.h"

#include "engine/Trace.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kesto
{

namespace
{

template <typename N> std::string Text(N value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

} // namespace

void ValueCheck::Keep(float& value, float min, float max, std::string_view what) const
{
    if (value >= min && value <= max)
    {
        return;
    }
    const float kept = std::isnan(value) ? min : std::clamp(value, min, max);
    TraceReport(registry, "DATA", source,
                std::string(what) + " " + Text(value) + " is outside " + Text(min) + " to " + Text(max) + "; read as " +
                    Text(kept));
    value = kept;
}

void ValueCheck::Keep(int& value, int min, int max, std::string_view what) const
{
    if (value >= min && value <= max)
    {
        return;
    }
    const int kept = std::clamp(value, min, max);
    TraceReport(registry, "DATA", source,
                std::string(what) + " " + Text(value) + " is outside " + Text(min) + " to " + Text(max) + "; read as " +
                    Text(kept));
    value = kept;
}

} // namespace kesto
