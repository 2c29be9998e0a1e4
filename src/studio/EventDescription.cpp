#include "studio/EventDescription.h"

#include "studio/EventInstance.h"
#include "studio/StudioSystemInternal.h"

#include <algorithm>

namespace kesto::studio
{
namespace
{

const detail::EventRecord* Find(detail::StudioState* studio, std::uint32_t id)
{
    return studio != nullptr ? studio->FindEvent(id) : nullptr;
}

} // namespace

bool EventDescription::IsValid() const { return Find(studio, id) != nullptr; }

Result EventDescription::CreateInstance(EventInstance* instance) const
{
    if (studio == nullptr)
    {
        if (instance != nullptr)
        {
            *instance = EventInstance();
        }
        return instance != nullptr ? Result::InvalidHandle : Result::InvalidParam;
    }
    return studio->CreateInstance(id, instance);
}

Result EventDescription::GetPath(std::string* path) const
{
    if (path == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::EventRecord* event = Find(studio, id);
    if (event == nullptr)
    {
        return Result::InvalidHandle;
    }
    *path = event->def.path;
    return Result::Ok;
}

Result EventDescription::GetInstanceCount(int* count) const
{
    if (count == nullptr)
    {
        return Result::InvalidParam;
    }
    if (Find(studio, id) == nullptr)
    {
        return Result::InvalidHandle;
    }
    *count = static_cast<int>(std::count_if(studio->instances.begin(), studio->instances.end(),
                                            [&](const auto& entry) { return entry.second.event == id; }));
    return Result::Ok;
}

Result EventDescription::ReleaseAllInstances()
{
    if (Find(studio, id) == nullptr)
    {
        return Result::InvalidHandle;
    }
    for (auto& [instanceId, instance] : studio->instances)
    {
        if (instance.event == id)
        {
            instance.released = true;
        }
    }
    return Result::Ok;
}

Result EventDescription::Is3D(bool* is3D) const
{
    if (is3D == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::EventRecord* event = Find(studio, id);
    if (event == nullptr)
    {
        return Result::InvalidHandle;
    }
    *is3D = event->def.maxDistance > 0.0f;
    return Result::Ok;
}

Result EventDescription::IsOneshot(bool* oneshot) const
{
    if (oneshot == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::EventRecord* event = Find(studio, id);
    if (event == nullptr)
    {
        return Result::InvalidHandle;
    }
    *oneshot = !event->def.sustain && std::none_of(event->sounds.begin(), event->sounds.end(),
                                                   [](const detail::LoadedSound& sound) { return sound.def.loop; });
    return Result::Ok;
}

} // namespace kesto::studio
