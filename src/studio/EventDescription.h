#pragma once

#include "studio/Result.h"

#include <cstdint>
#include <string>

namespace kesto::studio
{

namespace detail
{
class StudioState;
}

class EventInstance;

// An event of a loaded bank (StudioSystem::GetEvent); a small value handle, null when default-constructed.
class EventDescription
{
public:
    EventDescription() = default;

    bool IsValid() const;
    Result CreateInstance(EventInstance* instance) const;
    Result GetPath(std::string* path) const;
    // Instances created and not yet destroyed (a released instance goes at the update after it stops).
    Result GetInstanceCount(int* count) const;
    Result ReleaseAllInstances();
    // Positional: it has a distance range, so instances given 3D attributes are panned and attenuated.
    Result Is3D(bool* is3D) const;
    // Ends by itself: no looping sound and no sustain.
    Result IsOneshot(bool* oneshot) const;

    bool operator==(const EventDescription& other) const = default;

private:
    friend class detail::StudioState;
    EventDescription(detail::StudioState* owner, std::uint32_t event) : studio(owner), id(event) {}

    detail::StudioState* studio = nullptr;
    std::uint32_t id = 0;
};

} // namespace kesto::studio
