#pragma once

#include "studio/CoreTypes.h"
#include "studio/SampleBuffer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace kesto::studio::detail
{

// Names a group or a voice of the mixer; ids are never reused, 0 names nothing.
using ControlId = std::uint32_t;
inline constexpr ControlId noControl = 0;

// How a new voice plays.
struct VoiceDef
{
    float volume = 1.0f; // linear
    float pitch = 1.0f;  // playback rate factor
    bool loop = false;
    bool paused = false;
    std::uint64_t startClock = 0; // the voice stays silent until the mixer clock reaches this
};

// A gain that moves to a new target over a short ramp instead of jumping, so changes do not click.
class Ramp
{
public:
    Ramp() : Ramp(1.0f) {}
    explicit Ramp(float start) : value(start), target(start) {}
    void SetTarget(float newTarget)
    {
        if (newTarget != target)
        {
            target = newTarget;
            step = (target - value) / rampFrames;
            remaining = rampFrames;
        }
    }
    float Next()
    {
        if (remaining > 0)
        {
            value += step;
            if (--remaining == 0)
            {
                value = target;
            }
        }
        return value;
    }
    bool IsSteady() const { return remaining == 0; }
    float Value() const { return value; }

private:
    static constexpr int rampFrames = 64;
    float value;
    float target;
    float step = 0.0f;
    int remaining = 0;
};

// A linear fade over frames starting at a clock; frames 0 means none.
struct Envelope
{
    std::uint64_t start = 0;
    std::uint64_t frames = 0;
};

// The settings of a group that the studio layer recomputes at each update.
struct GroupMix
{
    float gain = 1.0f;      // linear; changes are ramped to avoid clicks
    float pitch = 1.0f;     // multiplies the rate of every voice below the group
    float lowpassHz = 0.0f; // one-pole low-pass cutoff; 0 (or above the audible range) is off
    float left = 1.0f;      // per-side gains for panning, ramped like gain
    float right = 1.0f;
};

struct MixGroup
{
    ControlId parent = noControl;
    float volume = 1.0f;
    bool paused = false;
    std::vector<FadePoint> fades; // sorted by clock
    GroupMix mix;
    Ramp gain;
    Ramp left;
    Ramp right;
    Envelope fadeIn;
    Envelope release;
    std::vector<float> echoLine; // interleaved stereo delay line; empty = no echo
    std::size_t echoPosition = 0;
    float echoFeedback = 0.0f;
    float lowpassState[2] = {0.0f, 0.0f};
    // Per block: the mix buffer, the pitch and pause inherited from the parents, and whether anything sounded.
    std::vector<float> buffer;
    float pitch = 1.0f;
    bool silent = false;
    bool active = false;
};

struct MixVoice
{
    ControlId group = noControl;
    std::shared_ptr<const SampleBuffer> samples;
    float volume = 1.0f;
    float pitch = 1.0f;
    bool loop = false;
    bool paused = false;
    bool ended = false;
    std::uint64_t startClock = 0;
    double position = 0.0; // in frames of samples
    Ramp gain;
    std::vector<FadePoint> fades;
};

// Mixes voices through a tree of groups into one stereo float stream, counting a DSP clock in frames.
// Thread-safe: every member takes one mutex, so the output thread's Render never overlaps a change made on the
// API thread. Voices that end are only marked; PurgeEndedVoices, called from the API thread, drops them.
class Mixer
{
public:
    Mixer(int sampleRate, int maxVoices);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int SampleRate() const { return sampleRate; }
    ControlId MasterGroup() const { return masterGroup; }
    std::uint64_t Clock() const;

    // A new group mixing into parent (which must exist; otherwise noControl is returned).
    ControlId AddGroup(ControlId parent, const GroupMix& mix);
    // Removes the group, every group below it and all their voices. The master group stays.
    void RemoveGroup(ControlId group);
    // noControl when the group is unknown or maxVoices voices are playing.
    ControlId AddVoice(ControlId group, std::shared_ptr<const SampleBuffer> samples, const VoiceDef& def);

    // Operations on a group or a voice; false when the id names neither.
    bool Exists(ControlId id) const;
    bool SetVolume(ControlId id, float volume);
    bool GetVolume(ControlId id, float& volume) const;
    bool SetPaused(ControlId id, bool paused);
    bool GetPaused(ControlId id, bool& paused) const;
    // A voice ends; a group ends every voice below it.
    bool Stop(ControlId id);
    // A voice that has not ended; for a group, any such voice below it.
    bool IsPlaying(ControlId id, bool& playing) const;
    // A point at an existing clock replaces it.
    bool AddFadePoint(ControlId id, FadePoint point);
    // Removes the points whose clock lies in [from, to].
    bool RemoveFadePoints(ControlId id, std::uint64_t from, std::uint64_t to);
    bool GetFadePoints(ControlId id, std::vector<FadePoint>& points) const;

    bool SetGroupMix(ControlId group, const GroupMix& mix);
    // A feedback delay on the group's output; delay 0 removes it.
    bool SetGroupEcho(ControlId group, float delaySeconds, float feedback);
    // Ends the voices below the group, cancels its fades in and out, then fades it in over fadeInFrames from now.
    bool RestartGroup(ControlId group, std::uint64_t fadeInFrames);
    // Fades the group out over frames from now, then ends the voices below it (at once when frames is 0).
    bool ReleaseGroup(ControlId group, std::uint64_t frames);
    // Ends every voice playing these samples.
    void StopVoicesPlaying(const SampleBuffer* samples);

    int CountPlayingVoices() const;
    void PurgeEndedVoices();

    // Mixes frames of interleaved stereo into out and advances the clock by frames.
    void Render(float* out, int frames);

private:
    MixGroup* FindGroup(ControlId id);
    const MixGroup* FindGroup(ControlId id) const;
    bool IsBelow(ControlId group, ControlId ancestor) const;
    void StopBelow(ControlId group);
    int CountPlaying() const;
    void RenderBlock(float* out, int frames);

    const int sampleRate;
    const int maxVoices;
    mutable std::mutex mutex;
    std::uint64_t clock = 0;
    ControlId nextId = 1;
    ControlId masterGroup = noControl;
    // Ordered by id, so a parent (always created first) comes before its children.
    std::map<ControlId, MixGroup> groups;
    std::map<ControlId, MixVoice> voices;
};

} // namespace kesto::studio::detail
