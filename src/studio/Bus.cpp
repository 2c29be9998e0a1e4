#include "studio/Bus.h"

#include "studio/StudioSystemInternal.h"

#include <algorithm>

namespace kesto::studio
{
namespace
{

detail::BusRecord* Find(detail::StudioState* studio, std::uint32_t id)
{
    return studio != nullptr ? studio->FindBus(id) : nullptr;
}

} // namespace

bool Bus::IsValid() const { return Find(studio, id) != nullptr; }

Result Bus::GetPath(std::string* path) const
{
    if (path == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    *path = bus->def.path;
    return Result::Ok;
}

Result Bus::SetVolume(float volume)
{
    detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    bus->volume = std::max(volume, 0.0f);
    studio->ApplyBusMix(*bus);
    return Result::Ok;
}

Result Bus::GetVolume(float* volume, float* finalVolume) const
{
    const detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    if (volume != nullptr)
    {
        *volume = bus->volume;
    }
    if (finalVolume != nullptr)
    {
        *finalVolume = bus->finalVolume;
    }
    return Result::Ok;
}

Result Bus::SetMute(bool mute)
{
    detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    bus->mute = mute;
    studio->ApplyBusMix(*bus);
    return Result::Ok;
}

Result Bus::GetMute(bool* mute) const
{
    if (mute == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    *mute = bus->mute;
    return Result::Ok;
}

Result Bus::SetPaused(bool paused)
{
    const detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    studio->GetMixer().SetPaused(bus->group, paused);
    return Result::Ok;
}

Result Bus::GetPaused(bool* paused) const
{
    if (paused == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    studio->GetMixer().GetPaused(bus->group, *paused);
    return Result::Ok;
}

Result Bus::StopAllEvents(StopMode mode)
{
    return studio != nullptr ? studio->StopBusEvents(id, mode) : Result::InvalidHandle;
}

Result Bus::GetChannelGroup(ChannelGroup* group) const
{
    if (group == nullptr)
    {
        return Result::InvalidParam;
    }
    *group = ChannelGroup();
    const detail::BusRecord* bus = Find(studio, id);
    if (bus == nullptr)
    {
        return Result::InvalidHandle;
    }
    *group = studio->MakeGroup(bus->group);
    return Result::Ok;
}

} // namespace kesto::studio
