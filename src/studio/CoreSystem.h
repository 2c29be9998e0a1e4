#pragma once

#include "studio/ChannelControl.h"
#include "studio/CoreTypes.h"
#include "studio/Result.h"
#include "studio/Sound.h"

#include <memory>
#include <string_view>

namespace kesto::studio
{

namespace detail
{
class CoreState;
class StudioState;
} // namespace detail

// The low-level system behind a StudioSystem (FMOD's Core System): sounds from files, channels, channel groups
// and the mixer's clock. It is created, initialised and released by its StudioSystem
// (StudioSystem::GetCoreSystem). Call it from the same single thread as the studio system.
class CoreSystem
{
public:
    ~CoreSystem();
    CoreSystem(const CoreSystem&) = delete;
    CoreSystem& operator=(const CoreSystem&) = delete;

    // The mixer's rate in frames per second and its channel count (always 2).
    Result GetSoftwareFormat(int* sampleRate, int* channels) const;
    // Decodes the whole file now. A file that cannot be read is reported and gives FileNotFound or Format.
    // Mode::LoopNormal makes its channels repeat; anything else plays once.
    Result CreateSound(std::string_view path, Mode mode, Sound* sound);
    // Plays the sound through group, or through the master group when group is a null handle.
    Result PlaySound(const Sound& sound, const ChannelGroup& group, bool paused, Channel* channel);
    Result GetMasterChannelGroup(ChannelGroup* group);
    // Channels (core and event sounds alike) that have not ended.
    Result GetChannelsPlaying(int* channels) const;
    // Drops the channels that have ended; their handles turn invalid. StudioSystem::Update calls it.
    Result Update();
    // With OutputMode::NoOutput only (BadCommand otherwise): mixes frames of interleaved stereo into out,
    // advancing the DSP clock by frames.
    Result Mix(float* out, int frames);

private:
    friend class detail::StudioState;
    CoreSystem();

    std::unique_ptr<detail::CoreState> state;
};

} // namespace kesto::studio
