#pragma once

#include "spine/Timeline.h"

#include <memory>
#include <string>
#include <vector>

namespace kesto::spine
{

class Skeleton;

// A named set of timelines. Its duration is the time of its last key, over every timeline of the file
// (including those read past, such as events and constraints).
struct Animation
{
    // Poses the skeleton at time; looping wraps time into the duration, otherwise it stops at the end.
    void Apply(Skeleton& skeleton, float time, bool loop, float alpha, MixBlend blend) const;
    bool HasTimeline(int propertyId) const;
    // Sorts the property ids of the timelines; call after changing them.
    void IndexProperties();

    std::string name;
    float duration = 0.0f; // seconds
    std::vector<std::unique_ptr<Timeline>> timelines;
    std::vector<int> propertyIds; // sorted
};

} // namespace kesto::spine
