#include "studio/EventInstance.h"

#include "studio/StudioSystemInternal.h"

#include <algorithm>

namespace kesto::studio
{
namespace
{

detail::InstanceRecord* Find(detail::StudioState* studio, std::uint32_t id)
{
    return studio != nullptr ? studio->FindInstance(id) : nullptr;
}

} // namespace

bool EventInstance::IsValid() const { return Find(studio, id) != nullptr; }

Result EventInstance::Start() { return studio != nullptr ? studio->StartInstance(id) : Result::InvalidHandle; }

Result EventInstance::Stop(StopMode mode)
{
    return studio != nullptr ? studio->StopInstance(id, mode) : Result::InvalidHandle;
}

Result EventInstance::Release()
{
    detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    instance->released = true;
    return Result::Ok;
}

Result EventInstance::GetPlaybackState(PlaybackState* state) const
{
    if (state == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    *state = instance->state;
    return Result::Ok;
}

Result EventInstance::SetParameterByName(std::string_view name, float value, bool ignoreSeekSpeed)
{
    detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    const std::string_view bare = detail::BareParameterName(name);
    auto local = instance->parameters.find(bare);
    const detail::ParameterRecord* parameter = studio->FindParameter(bare);
    if (local == instance->parameters.end() || parameter == nullptr)
    {
        return Result::NotFound;
    }
    local->second.value = std::clamp(value, parameter->def.minimum, parameter->def.maximum);
    if (ignoreSeekSpeed || parameter->def.seekSpeed <= 0.0f)
    {
        local->second.current = local->second.value;
    }
    studio->ApplyInstanceMix(*instance);
    return Result::Ok;
}

Result EventInstance::GetParameterByName(std::string_view name, float* value, float* finalValue) const
{
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    auto local = instance->parameters.find(detail::BareParameterName(name));
    if (local == instance->parameters.end())
    {
        return Result::NotFound;
    }
    if (value != nullptr)
    {
        *value = local->second.value;
    }
    if (finalValue != nullptr)
    {
        *finalValue = local->second.current;
    }
    return Result::Ok;
}

Result EventInstance::Set3DAttributes(const Attributes3D& attributes)
{
    detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    instance->attributes = attributes;
    instance->positioned = true;
    studio->ApplyInstanceMix(*instance);
    return Result::Ok;
}

Result EventInstance::Get3DAttributes(Attributes3D* attributes) const
{
    if (attributes == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    *attributes = instance->attributes;
    return Result::Ok;
}

Result EventInstance::SetVolume(float volume)
{
    detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    instance->volume = std::max(volume, 0.0f);
    studio->ApplyInstanceMix(*instance);
    return Result::Ok;
}

Result EventInstance::GetVolume(float* volume) const
{
    if (volume == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    *volume = instance->volume;
    return Result::Ok;
}

Result EventInstance::SetPitch(float pitch)
{
    detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    if (!(pitch > 0.0f))
    {
        return Result::InvalidParam;
    }
    instance->pitch = pitch;
    studio->ApplyInstanceMix(*instance);
    return Result::Ok;
}

Result EventInstance::GetPitch(float* pitch) const
{
    if (pitch == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    *pitch = instance->pitch;
    return Result::Ok;
}

Result EventInstance::SetPaused(bool paused)
{
    detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    instance->paused = paused;
    studio->GetMixer().SetPaused(instance->group, paused);
    return Result::Ok;
}

Result EventInstance::GetPaused(bool* paused) const
{
    if (paused == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    *paused = instance->paused;
    return Result::Ok;
}

Result EventInstance::GetDescription(EventDescription* description) const
{
    if (description == nullptr)
    {
        return Result::InvalidParam;
    }
    *description = EventDescription();
    const detail::InstanceRecord* instance = Find(studio, id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    *description = studio->MakeEvent(instance->event);
    return Result::Ok;
}

} // namespace kesto::studio
