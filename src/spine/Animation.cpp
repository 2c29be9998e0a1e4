#include "spine/Animation.h"

#include <algorithm>
#include <cmath>

namespace kesto::spine
{

void Animation::Apply(Skeleton& skeleton, float time, bool loop, float alpha, MixBlend blend) const
{
    if (loop)
    {
        time = duration > 0.0f ? std::fmod(time, duration) : 0.0f;
    }
    else
    {
        time = std::min(time, duration);
    }
    for (const auto& timeline : timelines)
    {
        timeline->Apply(skeleton, time, alpha, blend);
    }
}

bool Animation::HasTimeline(int propertyId) const
{
    return std::binary_search(propertyIds.begin(), propertyIds.end(), propertyId);
}

void Animation::IndexProperties()
{
    propertyIds.clear();
    for (const auto& timeline : timelines)
    {
        propertyIds.push_back(timeline->PropertyId());
    }
    std::sort(propertyIds.begin(), propertyIds.end());
}

} // namespace kesto::spine
