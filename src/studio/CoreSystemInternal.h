#pragma once

#include "studio/AudioOutput.h"
#include "studio/ChannelControl.h"
#include "studio/CoreTypes.h"
#include "studio/Mixer.h"
#include "studio/Result.h"
#include "studio/SampleBuffer.h"
#include "studio/Sound.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace kesto::studio::detail
{

struct SoundRecord
{
    std::string path;
    Mode mode = Mode::Default;
    // Shared with the voices playing it, which may still hold it after the sound is released.
    std::shared_ptr<const SampleBuffer> samples;
};

// Everything behind a CoreSystem and its handles: the mixer, the output pulling from it and the sounds.
class CoreState
{
public:
    CoreState() = default;
    ~CoreState();
    CoreState(const CoreState&) = delete;
    CoreState& operator=(const CoreState&) = delete;

    // Creates the mixer and opens the output; a fall back to silent output is reported here.
    Result Open(const InitDef& def);
    // Stops the output first, so no thread is mixing when the sounds and the mixer go.
    void Close();
    bool IsOpen() const { return mixer != nullptr; }
    void Report(std::string_view message) const;

    // The mixer behind a live handle, or null when the handle is null or the system is closed.
    static Mixer* MixerOf(const ChannelControl& control);
    static ControlId IdOf(const ChannelControl& control) { return control.id; }
    static CoreState* OwnerOf(const ChannelControl& control) { return control.core; }
    static const SoundRecord* RecordOf(const Sound& sound);

    Channel MakeChannel(ControlId id) { return Channel(this, id); }
    ChannelGroup MakeGroup(ControlId id) { return ChannelGroup(this, id); }
    Sound MakeSound(std::uint32_t id) { return Sound(this, id); }
    static CoreState* OwnerOf(const Sound& sound) { return sound.core; }
    static std::uint32_t IdOf(const Sound& sound) { return sound.id; }

    ReportCallback report;
    OutputMode requestedOutput = OutputMode::NoOutput;
    std::unique_ptr<Mixer> mixer;
    // After the mixer, so it is destroyed first.
    std::unique_ptr<AudioOutput> output;
    std::map<std::uint32_t, SoundRecord> sounds;
    std::uint32_t nextSound = 1;
};

} // namespace kesto::studio::detail
