#include "studio/StudioSystemInternal.h"

#include <algorithm>
#include <cmath>

namespace kesto::studio::detail
{
namespace
{

// How much the far side loses when a positional sound sits at the edge of its range, off to one side.
constexpr float panDepth = 0.6f;

void Seek(ParameterValue& value, float speed, float seconds)
{
    if (speed <= 0.0f)
    {
        value.current = value.value;
        return;
    }
    const float step = speed * seconds;
    value.current += std::clamp(value.value - value.current, -step, step);
}

// Linear roll-off between the event's distances, and a balance that follows the offset along x.
void Place(const EventDef& event, const InstanceRecord& instance, const Attributes3D& listener, GroupMix& mix)
{
    if (event.maxDistance <= 0.0f || !instance.positioned)
    {
        return;
    }
    const Vector3& at = instance.attributes.position;
    const Vector3& ear = listener.position;
    const float dx = at.x - ear.x;
    const float distance = std::sqrt(dx * dx + (at.y - ear.y) * (at.y - ear.y) + (at.z - ear.z) * (at.z - ear.z));
    float level = 1.0f;
    if (distance >= event.maxDistance)
    {
        level = 0.0f;
    }
    else if (distance > event.minDistance)
    {
        level = 1.0f - (distance - event.minDistance) / (event.maxDistance - event.minDistance);
    }
    const float pan = std::clamp(dx / event.maxDistance, -1.0f, 1.0f);
    mix.left = level * (1.0f - panDepth * std::max(pan, 0.0f));
    mix.right = level * (1.0f - panDepth * std::max(-pan, 0.0f));
}

} // namespace

Result StudioState::Update()
{
    if (!initialized)
    {
        return Result::NotInitialized;
    }
    Mixer& mixer = GetMixer();
    const std::uint64_t now = mixer.Clock();
    const float seconds = static_cast<float>(now - lastUpdateClock) / static_cast<float>(mixer.SampleRate());
    lastUpdateClock = now;
    SettleDecodedSounds(false);
    CheckEffects();
    SeekParameters(seconds);
    UpdatePlaybackStates();
    for (auto& [id, bus] : buses)
    {
        ApplyBusMix(bus);
    }
    for (auto& [id, instance] : instances)
    {
        ApplyInstanceMix(instance);
    }
    return core.Update();
}

Result StudioState::FlushSampleLoading()
{
    if (!initialized)
    {
        return Result::NotInitialized;
    }
    SettleDecodedSounds(true);
    return Result::Ok;
}

void StudioState::ApplyBusMix(BusRecord& bus)
{
    GroupMix mix;
    mix.gain = bus.def.volume * bus.volume * (bus.mute ? 0.0f : 1.0f);
    ApplyEffects(bus.def.path, nullptr, mix);
    bus.finalVolume = mix.gain;
    GetMixer().SetGroupMix(bus.group, mix);
}

void StudioState::ApplyInstanceMix(InstanceRecord& instance)
{
    if (instance.group != noControl)
    {
        GetMixer().SetGroupMix(instance.group, InstanceMix(instance));
    }
}

GroupMix StudioState::InstanceMix(const InstanceRecord& instance)
{
    const EventDef& event = events.at(instance.event).def;
    GroupMix mix;
    mix.gain = event.volume * instance.volume;
    mix.pitch = event.pitch * instance.pitch;
    ApplyEffects(event.path, &instance, mix);
    Place(event, instance, listener, mix);
    return mix;
}

void StudioState::CheckEffects()
{
    for (EffectRecord& effect : effects)
    {
        if (effect.checked)
        {
            continue;
        }
        effect.checked = true;
        const EffectDef& def = effect.def;
        const std::string where = banks.at(effect.bank).path + ":" + std::to_string(def.line) + ": effect of \"" +
                                  def.parameter + "\" on \"" + def.target + "\": ";
        const ParameterRecord* parameter = FindParameter(def.parameter);
        const bool onBus = def.target.starts_with("bus:/");
        if (parameter == nullptr)
        {
            Report(where + "the parameter is not in any loaded bank; it does nothing");
        }
        else if (onBus ? !FindBusId(def.target) : !FindEventId(def.target))
        {
            Report(where + "the target is not in any loaded bank; it does nothing");
        }
        else if (onBus && !parameter->def.global)
        {
            Report(where + "a local parameter cannot drive a bus; it does nothing");
        }
    }
}

void StudioState::SeekParameters(float seconds)
{
    for (auto& [name, parameter] : parameters)
    {
        Seek(parameter.value, parameter.def.seekSpeed, seconds);
    }
    for (auto& [id, instance] : instances)
    {
        for (auto& [name, value] : instance.parameters)
        {
            const ParameterRecord* parameter = FindParameter(name);
            Seek(value, parameter != nullptr ? parameter->def.seekSpeed : 0.0f, seconds);
        }
    }
}

void StudioState::UpdatePlaybackStates()
{
    Mixer& mixer = GetMixer();
    for (auto entry = instances.begin(); entry != instances.end();)
    {
        InstanceRecord& instance = entry->second;
        bool sounding = false;
        if (instance.group != noControl)
        {
            mixer.IsPlaying(instance.group, sounding);
        }
        const bool sustain = events.at(instance.event).def.sustain;
        const PlaybackState ended = sustain ? PlaybackState::Sustaining : PlaybackState::Stopped;
        switch (instance.state)
        {
        case PlaybackState::Starting:
            instance.state = sounding ? PlaybackState::Playing : ended;
            break;
        case PlaybackState::Playing:
            instance.state = sounding ? PlaybackState::Playing : ended;
            break;
        case PlaybackState::Stopping:
            instance.state = sounding ? PlaybackState::Stopping : PlaybackState::Stopped;
            break;
        case PlaybackState::Sustaining:
        case PlaybackState::Stopped:
            break;
        }
        if (instance.released && instance.state == PlaybackState::Stopped)
        {
            mixer.RemoveGroup(instance.group);
            entry = instances.erase(entry);
        }
        else
        {
            ++entry;
        }
    }
}

std::optional<float> StudioState::EffectInput(const EffectRecord& effect, const InstanceRecord* instance)
{
    const ParameterRecord* parameter = FindParameter(effect.def.parameter);
    if (parameter == nullptr)
    {
        return std::nullopt;
    }
    if (parameter->def.global)
    {
        return parameter->value.current;
    }
    if (instance == nullptr)
    {
        return std::nullopt;
    }
    auto found = instance->parameters.find(effect.def.parameter);
    return found == instance->parameters.end() ? std::nullopt : std::optional(found->second.current);
}

void StudioState::ApplyEffects(const std::string& target, const InstanceRecord* instance, GroupMix& mix)
{
    for (const EffectRecord& effect : effects)
    {
        if (effect.def.target != target)
        {
            continue;
        }
        const std::optional<float> input = EffectInput(effect, instance);
        if (!input)
        {
            continue;
        }
        const float output = EvaluateCurve(effect.def.curve, *input);
        switch (effect.def.property)
        {
        case EffectProperty::Volume:
            mix.gain *= output;
            break;
        case EffectProperty::Pitch:
            mix.pitch *= output;
            break;
        case EffectProperty::Lowpass:
            mix.lowpassHz = mix.lowpassHz > 0.0f ? std::min(mix.lowpassHz, output) : output;
            break;
        }
    }
}

} // namespace kesto::studio::detail
