#include "studio/ChannelControl.h"

#include "studio/CoreSystemInternal.h"

namespace kesto::studio
{
namespace
{

// Runs apply on the mixer behind a live handle; InvalidHandle when there is none or it names nothing.
template <class Apply> Result WithMixer(const ChannelControl& control, Apply apply)
{
    detail::Mixer* mixer = detail::CoreState::MixerOf(control);
    if (mixer == nullptr || !apply(*mixer, detail::CoreState::IdOf(control)))
    {
        return Result::InvalidHandle;
    }
    return Result::Ok;
}

} // namespace

bool ChannelControl::IsValid() const
{
    const detail::Mixer* mixer = detail::CoreState::MixerOf(*this);
    return mixer != nullptr && mixer->Exists(id);
}

Result ChannelControl::Stop()
{
    return WithMixer(*this, [](detail::Mixer& mixer, detail::ControlId control) { return mixer.Stop(control); });
}

Result ChannelControl::SetVolume(float volume)
{
    return WithMixer(*this,
                     [&](detail::Mixer& mixer, detail::ControlId control) { return mixer.SetVolume(control, volume); });
}

Result ChannelControl::GetVolume(float* volume) const
{
    if (volume == nullptr)
    {
        return Result::InvalidParam;
    }
    return WithMixer(*this, [&](detail::Mixer& mixer, detail::ControlId control)
                     { return mixer.GetVolume(control, *volume); });
}

Result ChannelControl::SetPaused(bool paused)
{
    return WithMixer(*this,
                     [&](detail::Mixer& mixer, detail::ControlId control) { return mixer.SetPaused(control, paused); });
}

Result ChannelControl::GetPaused(bool* paused) const
{
    if (paused == nullptr)
    {
        return Result::InvalidParam;
    }
    return WithMixer(*this, [&](detail::Mixer& mixer, detail::ControlId control)
                     { return mixer.GetPaused(control, *paused); });
}

Result ChannelControl::IsPlaying(bool* playing) const
{
    if (playing == nullptr)
    {
        return Result::InvalidParam;
    }
    return WithMixer(*this, [&](detail::Mixer& mixer, detail::ControlId control)
                     { return mixer.IsPlaying(control, *playing); });
}

Result ChannelControl::GetDSPClock(std::uint64_t* dspClock, std::uint64_t* parentClock) const
{
    return WithMixer(*this,
                     [&](detail::Mixer& mixer, detail::ControlId control)
                     {
                         if (!mixer.Exists(control))
                         {
                             return false;
                         }
                         const std::uint64_t now = mixer.Clock();
                         if (dspClock != nullptr)
                         {
                             *dspClock = now;
                         }
                         if (parentClock != nullptr)
                         {
                             *parentClock = now;
                         }
                         return true;
                     });
}

Result ChannelControl::AddFadePoint(std::uint64_t dspClock, float volume)
{
    return WithMixer(*this,
                     [&](detail::Mixer& mixer, detail::ControlId control) {
                         return mixer.AddFadePoint(control, FadePoint{dspClock, volume});
                     });
}

Result ChannelControl::RemoveFadePoints(std::uint64_t dspClockStart, std::uint64_t dspClockEnd)
{
    return WithMixer(*this, [&](detail::Mixer& mixer, detail::ControlId control)
                     { return mixer.RemoveFadePoints(control, dspClockStart, dspClockEnd); });
}

Result ChannelControl::GetFadePoints(std::vector<FadePoint>* points) const
{
    if (points == nullptr)
    {
        return Result::InvalidParam;
    }
    return WithMixer(*this, [&](detail::Mixer& mixer, detail::ControlId control)
                     { return mixer.GetFadePoints(control, *points); });
}

} // namespace kesto::studio
