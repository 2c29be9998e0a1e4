#include "studio/StudioSystemInternal.h"

#include <algorithm>
#include <cmath>

namespace kesto::studio::detail
{
namespace
{

constexpr std::string_view masterBusPath = "bus:/";
// The event's bus is bus itself or lies below it.
bool IsRoutedThrough(std::string_view eventBus, std::string_view bus)
{
    return bus == masterBusPath || eventBus == bus ||
           (eventBus.starts_with(bus) && eventBus.size() > bus.size() && eventBus[bus.size()] == '/');
}

} // namespace

StudioState::StudioState() = default;

StudioState::~StudioState() { Release(); }

Result StudioState::Initialize(const InitDef& def)
{
    if (initialized)
    {
        return Result::BadCommand;
    }
    const Result opened = core.state->Open(def);
    if (opened != Result::Ok)
    {
        return opened;
    }
    random.seed(def.randomSeed != 0 ? def.randomSeed : std::random_device{}());
    BusRecord master;
    master.def.path = std::string(masterBusPath);
    master.group = GetMixer().MasterGroup();
    const std::uint32_t id = nextId++;
    buses.emplace(id, std::move(master));
    busIds.emplace(std::string(masterBusPath), id);
    lastUpdateClock = 0;
    listener = Attributes3D{};
    initialized = true;
    return Result::Ok;
}

Result StudioState::Release()
{
    if (!initialized)
    {
        return Result::NotInitialized;
    }
    UnloadAll();
    instances.clear();
    buses.clear();
    busIds.clear();
    loaders.clear();
    sampleCache.clear();
    core.state->Close();
    initialized = false;
    return Result::Ok;
}

void StudioState::Report(std::string_view message) const { core.state->Report(message); }

BankRecord* StudioState::FindBank(std::uint32_t id)
{
    auto found = banks.find(id);
    return found == banks.end() ? nullptr : &found->second;
}

EventRecord* StudioState::FindEvent(std::uint32_t id)
{
    auto found = events.find(id);
    return found == events.end() ? nullptr : &found->second;
}

BusRecord* StudioState::FindBus(std::uint32_t id)
{
    auto found = buses.find(id);
    return found == buses.end() ? nullptr : &found->second;
}

InstanceRecord* StudioState::FindInstance(std::uint32_t id)
{
    auto found = instances.find(id);
    return found == instances.end() ? nullptr : &found->second;
}

std::optional<std::uint32_t> StudioState::FindEventId(std::string_view path) const
{
    auto found = eventIds.find(std::string(path));
    return found == eventIds.end() ? std::nullopt : std::optional(found->second);
}

std::optional<std::uint32_t> StudioState::FindBusId(std::string_view path) const
{
    auto found = busIds.find(std::string(path));
    return found == busIds.end() ? std::nullopt : std::optional(found->second);
}

ParameterRecord* StudioState::FindParameter(std::string_view nameOrPath)
{
    auto found = parameters.find(BareParameterName(nameOrPath));
    return found == parameters.end() ? nullptr : &found->second;
}

std::uint64_t StudioState::Frames(float seconds) const
{
    return static_cast<std::uint64_t>(std::llround(std::max(0.0f, seconds) * core.state->mixer->SampleRate()));
}

Result StudioState::CreateInstance(std::uint32_t event, EventInstance* instance)
{
    if (instance == nullptr)
    {
        return Result::InvalidParam;
    }
    *instance = EventInstance();
    const EventRecord* record = FindEvent(event);
    if (record == nullptr)
    {
        return Result::InvalidHandle;
    }
    InstanceRecord created;
    created.event = event;
    // Each instance keeps its own value of every local parameter that drives this event.
    for (const EffectRecord& effect : effects)
    {
        const ParameterRecord* parameter = FindParameter(effect.def.parameter);
        if (effect.def.target == record->def.path && parameter != nullptr && !parameter->def.global)
        {
            const float start = parameter->def.defaultValue;
            created.parameters.emplace(parameter->def.name, ParameterValue{start, start});
        }
    }
    const std::uint32_t id = nextId++;
    instances.emplace(id, std::move(created));
    *instance = MakeInstance(id);
    return Result::Ok;
}

Result StudioState::StartInstance(std::uint32_t id)
{
    InstanceRecord* instance = FindInstance(id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    EventRecord& event = events.at(instance->event);
    const std::optional<std::uint32_t> busId = FindBusId(event.def.bus);
    if (!busId)
    {
        if (!event.busReported)
        {
            Report("event \"" + event.def.path + "\": its bus \"" + event.def.bus +
                   "\" is not in any loaded bank; it plays nothing");
            event.busReported = true;
        }
        instance->state = PlaybackState::Stopped;
        return Result::NotFound;
    }
    Mixer& mixer = GetMixer();
    const ControlId busGroup = buses.at(*busId).group;
    if (instance->group == noControl || instance->busGroup != busGroup || !mixer.Exists(instance->group))
    {
        mixer.RemoveGroup(instance->group);
        instance->group = mixer.AddGroup(busGroup, InstanceMix(*instance));
        instance->busGroup = busGroup;
        mixer.SetPaused(instance->group, instance->paused);
    }
    mixer.RestartGroup(instance->group, Frames(event.def.fadeIn));
    ApplyInstanceMix(*instance);

    // An event started while its sounds are still decoding waits for them, so a random pick never lands on one
    // that turns out undecodable.
    for (const LoadedSound& sound : event.sounds)
    {
        sound.decoded.wait();
    }
    SettleDecodedSounds(false);
    Result result = Result::Ok;
    const std::uint64_t now = mixer.Clock();
    auto startSound = [&](const LoadedSound& sound)
    {
        VoiceDef voice;
        voice.volume = sound.def.volume;
        voice.pitch = sound.def.pitch;
        voice.loop = sound.def.loop;
        voice.startClock = now + Frames(sound.def.delay);
        if (mixer.AddVoice(instance->group, sound.decoded.get().samples, voice) == noControl)
        {
            result = Result::ChannelAlloc;
        }
    };
    if (event.def.random && !event.sounds.empty())
    {
        startSound(event.sounds[static_cast<std::size_t>(PickSound(event, *instance))]);
    }
    else
    {
        for (const LoadedSound& sound : event.sounds)
        {
            startSound(sound);
        }
    }
    instance->state = PlaybackState::Starting;
    return result;
}

Result StudioState::StopInstance(std::uint32_t id, StopMode mode)
{
    InstanceRecord* instance = FindInstance(id);
    if (instance == nullptr)
    {
        return Result::InvalidHandle;
    }
    if (instance->state == PlaybackState::Stopped || instance->state == PlaybackState::Stopping)
    {
        if (mode == StopMode::Immediate && instance->state == PlaybackState::Stopping)
        {
            GetMixer().ReleaseGroup(instance->group, 0);
            instance->state = PlaybackState::Stopped;
        }
        return Result::Ok;
    }
    const float fadeOut = events.at(instance->event).def.fadeOut;
    if (mode == StopMode::AllowFadeOut && fadeOut > 0.0f && instance->state != PlaybackState::Sustaining)
    {
        GetMixer().ReleaseGroup(instance->group, Frames(fadeOut));
        instance->state = PlaybackState::Stopping;
    }
    else
    {
        GetMixer().ReleaseGroup(instance->group, 0);
        instance->state = PlaybackState::Stopped;
    }
    return Result::Ok;
}

Result StudioState::StopBusEvents(std::uint32_t bus, StopMode mode)
{
    const BusRecord* record = FindBus(bus);
    if (record == nullptr)
    {
        return Result::InvalidHandle;
    }
    for (auto& [id, instance] : instances)
    {
        if (IsRoutedThrough(events.at(instance.event).def.bus, record->def.path))
        {
            StopInstance(id, mode);
        }
    }
    return Result::Ok;
}

int StudioState::PickSound(const EventRecord& event, InstanceRecord& instance)
{
    const int count = static_cast<int>(event.sounds.size());
    int choice = 0;
    if (count > 1)
    {
        // Never the same sound twice in a row: draw among the others.
        const bool avoid = instance.lastChoice >= 0 && instance.lastChoice < count;
        choice = std::uniform_int_distribution<int>(0, avoid ? count - 2 : count - 1)(random);
        if (avoid && choice >= instance.lastChoice)
        {
            ++choice;
        }
    }
    instance.lastChoice = choice;
    return choice;
}

} // namespace kesto::studio::detail
