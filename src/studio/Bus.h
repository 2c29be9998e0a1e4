#pragma once

#include "studio/ChannelControl.h"
#include "studio/Result.h"
#include "studio/StudioTypes.h"

#include <cstdint>
#include <string>

namespace kesto::studio
{

namespace detail
{
class StudioState;
}

// A mix bus of the loaded banks ("bus:/" is the master bus and always exists); a small value handle, null when
// default-constructed. Events route into a bus; buses nest by path ("bus:/SFX/Time_Slow" mixes into "bus:/SFX").
class Bus
{
public:
    Bus() = default;

    bool IsValid() const;
    Result GetPath(std::string* path) const;
    // Linear; applies at once. The bank's own bus volume and parameter effects multiply it.
    Result SetVolume(float volume);
    // finalVolume: the gain the bus applied at the last update, with mute and parameter effects.
    Result GetVolume(float* volume, float* finalVolume = nullptr) const;
    Result SetMute(bool mute);
    Result GetMute(bool* mute) const;
    Result SetPaused(bool paused);
    Result GetPaused(bool* paused) const;
    // Stops every event instance routed into this bus or a bus below it.
    Result StopAllEvents(StopMode mode);
    // The channel group that mixes the bus (its DSP clock, fade points, volume and Stop).
    Result GetChannelGroup(ChannelGroup* group) const;

    bool operator==(const Bus& other) const = default;

private:
    friend class detail::StudioState;
    Bus(detail::StudioState* owner, std::uint32_t bus) : studio(owner), id(bus) {}

    detail::StudioState* studio = nullptr;
    std::uint32_t id = 0;
};

} // namespace kesto::studio
