#pragma once

#include "studio/CoreTypes.h"
#include "studio/Result.h"

#include <cstdint>
#include <vector>

namespace kesto::studio
{

namespace detail
{
class CoreState;
}

// What a playing channel and a channel group have in common (FMOD's ChannelControl). A handle is a small value:
// default-constructed it is null, and every call on a null handle, on a channel that has ended or on anything
// after its system was released answers InvalidHandle. Handles must not be used once their StudioSystem object
// is destroyed. Out pointers must not be null (InvalidParam).
class ChannelControl
{
public:
    bool IsValid() const;

    // A channel ends; a group ends every channel and event sound mixed through it.
    Result Stop();
    Result SetVolume(float volume); // linear; for a group, on top of a bus volume set through the studio API
    Result GetVolume(float* volume) const;
    Result SetPaused(bool paused);
    Result GetPaused(bool* paused) const;
    // A channel that has not ended; a group with any such channel below it.
    Result IsPlaying(bool* playing) const;
    // Both clocks are the mixer's frame count since initialisation: nothing here runs on a clock of its own.
    Result GetDSPClock(std::uint64_t* dspClock, std::uint64_t* parentClock) const;
    // Schedules a volume: full before the first point, interpolated between points, the last point's after it.
    // A point at a clock that already has one replaces it.
    Result AddFadePoint(std::uint64_t dspClock, float volume);
    // Removes every point whose clock lies in [dspClockStart, dspClockEnd].
    Result RemoveFadePoints(std::uint64_t dspClockStart, std::uint64_t dspClockEnd);
    Result GetFadePoints(std::vector<FadePoint>* points) const;

    bool operator==(const ChannelControl& other) const = default;

protected:
    ChannelControl() = default;
    ChannelControl(detail::CoreState* owner, std::uint32_t control) : core(owner), id(control) {}

private:
    friend class detail::CoreState;
    detail::CoreState* core = nullptr;
    std::uint32_t id = 0;
};

// One sound playing (CoreSystem::PlaySound). Its handle turns invalid once it has ended and the system updated.
class Channel : public ChannelControl
{
public:
    Channel() = default;

private:
    friend class detail::CoreState;
    using ChannelControl::ChannelControl;
};

// A node of the mix tree: the core master group, or the group behind a studio bus (Bus::GetChannelGroup).
class ChannelGroup : public ChannelControl
{
public:
    ChannelGroup() = default;

private:
    friend class detail::CoreState;
    using ChannelControl::ChannelControl;
};

} // namespace kesto::studio
