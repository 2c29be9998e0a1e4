#include "studio/CoreSystem.h"

#include "studio/CoreSystemInternal.h"
#include "studio/Decoder.h"

#include <string>
#include <utility>

namespace kesto::studio
{
namespace detail
{

CoreState::~CoreState() { Close(); }

Result CoreState::Open(const InitDef& def)
{
    if (def.sampleRate < 8000 || def.sampleRate > 192000 || def.maxChannels < 1)
    {
        return Result::InvalidParam;
    }
    requestedOutput = def.output;
    mixer = std::make_unique<Mixer>(def.sampleRate, def.maxChannels);
    std::string fallbackReason;
    output = AudioOutput::Open(*mixer, def.output, def.driver, fallbackReason);
    if (!fallbackReason.empty())
    {
        Report("no audio output device could be opened (" + fallbackReason + "); mixing continues silently");
    }
    return Result::Ok;
}

void CoreState::Close()
{
    output.reset();
    sounds.clear();
    mixer.reset();
}

void CoreState::Report(std::string_view message) const
{
    if (report)
    {
        report(message);
    }
}

Mixer* CoreState::MixerOf(const ChannelControl& control)
{
    return control.core != nullptr ? control.core->mixer.get() : nullptr;
}

const SoundRecord* CoreState::RecordOf(const Sound& sound)
{
    if (sound.core == nullptr)
    {
        return nullptr;
    }
    auto found = sound.core->sounds.find(sound.id);
    return found == sound.core->sounds.end() ? nullptr : &found->second;
}

} // namespace detail

CoreSystem::CoreSystem() : state(std::make_unique<detail::CoreState>()) {}

CoreSystem::~CoreSystem() = default;

Result CoreSystem::GetSoftwareFormat(int* sampleRate, int* channels) const
{
    if (!state->IsOpen())
    {
        return Result::NotInitialized;
    }
    if (sampleRate != nullptr)
    {
        *sampleRate = state->mixer->SampleRate();
    }
    if (channels != nullptr)
    {
        *channels = 2;
    }
    return Result::Ok;
}

Result CoreSystem::CreateSound(std::string_view path, Mode mode, Sound* sound)
{
    if (sound == nullptr)
    {
        return Result::InvalidParam;
    }
    *sound = Sound();
    if (!state->IsOpen())
    {
        return Result::NotInitialized;
    }
    auto samples = std::make_shared<detail::SampleBuffer>();
    std::string error;
    const std::string file(path);
    const Result decoded = detail::DecodeFile(file, state->mixer->SampleRate(), *samples, error);
    if (decoded != Result::Ok)
    {
        state->Report("sound file \"" + file + "\": " + error);
        return decoded;
    }
    const std::uint32_t id = state->nextSound++;
    state->sounds.emplace(id, detail::SoundRecord{file, mode, std::move(samples)});
    *sound = state->MakeSound(id);
    return Result::Ok;
}

Result CoreSystem::PlaySound(const Sound& sound, const ChannelGroup& group, bool paused, Channel* channel)
{
    if (channel == nullptr)
    {
        return Result::InvalidParam;
    }
    *channel = Channel();
    if (!state->IsOpen())
    {
        return Result::NotInitialized;
    }
    const detail::SoundRecord* record = detail::CoreState::RecordOf(sound);
    if (record == nullptr || detail::CoreState::OwnerOf(sound) != state.get())
    {
        return Result::InvalidHandle;
    }
    detail::ControlId target = state->mixer->MasterGroup();
    if (group != ChannelGroup())
    {
        if (!group.IsValid() || detail::CoreState::OwnerOf(group) != state.get())
        {
            return Result::InvalidHandle;
        }
        target = detail::CoreState::IdOf(group);
    }
    detail::VoiceDef voice;
    voice.loop = HasMode(record->mode, Mode::LoopNormal);
    voice.paused = paused;
    const detail::ControlId id = state->mixer->AddVoice(target, record->samples, voice);
    if (id == detail::noControl)
    {
        return Result::ChannelAlloc;
    }
    *channel = state->MakeChannel(id);
    return Result::Ok;
}

Result CoreSystem::GetMasterChannelGroup(ChannelGroup* group)
{
    if (group == nullptr)
    {
        return Result::InvalidParam;
    }
    if (!state->IsOpen())
    {
        *group = ChannelGroup();
        return Result::NotInitialized;
    }
    *group = state->MakeGroup(state->mixer->MasterGroup());
    return Result::Ok;
}

Result CoreSystem::GetChannelsPlaying(int* channels) const
{
    if (channels == nullptr)
    {
        return Result::InvalidParam;
    }
    if (!state->IsOpen())
    {
        *channels = 0;
        return Result::NotInitialized;
    }
    *channels = state->mixer->CountPlayingVoices();
    return Result::Ok;
}

Result CoreSystem::Update()
{
    if (!state->IsOpen())
    {
        return Result::NotInitialized;
    }
    state->mixer->PurgeEndedVoices();
    return Result::Ok;
}

Result CoreSystem::Mix(float* out, int frames)
{
    if (!state->IsOpen())
    {
        return Result::NotInitialized;
    }
    if (state->requestedOutput != OutputMode::NoOutput)
    {
        return Result::BadCommand;
    }
    if (frames < 0 || (out == nullptr && frames > 0))
    {
        return Result::InvalidParam;
    }
    state->mixer->Render(out, frames);
    return Result::Ok;
}

} // namespace kesto::studio
