#include "studio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kesto::studio::detail
{
namespace
{

// Frames mixed between two looks at the clock-driven state (fade ends, releases).
constexpr int blockFrames = 256;

// Full volume before the first point, the last point's volume after it, linear in between.
float FadeGain(const std::vector<FadePoint>& points, std::uint64_t clock)
{
    if (points.empty() || clock < points.front().clock)
    {
        return 1.0f;
    }
    auto next = std::upper_bound(points.begin(), points.end(), clock,
                                 [](std::uint64_t value, const FadePoint& point) { return value < point.clock; });
    if (next == points.end())
    {
        return points.back().volume;
    }
    const auto previous = next - 1;
    const double t = static_cast<double>(clock - previous->clock) / static_cast<double>(next->clock - previous->clock);
    return previous->volume + static_cast<float>((next->volume - previous->volume) * t);
}

float EnvelopeGain(const MixGroup& group, std::uint64_t clock)
{
    float gain = 1.0f;
    const Envelope& in = group.fadeIn;
    if (in.frames > 0)
    {
        if (clock < in.start)
        {
            gain = 0.0f;
        }
        else if (clock - in.start < in.frames)
        {
            gain = static_cast<float>(clock - in.start) / static_cast<float>(in.frames);
        }
    }
    const Envelope& out = group.release;
    if (out.frames > 0 && clock >= out.start)
    {
        const std::uint64_t elapsed = clock - out.start;
        gain *= elapsed >= out.frames ? 0.0f : 1.0f - static_cast<float>(elapsed) / static_cast<float>(out.frames);
    }
    return gain;
}

void MixVoiceInto(MixVoice& voice, float groupPitch, float* target, int frames, std::uint64_t clock)
{
    const SampleBuffer& source = *voice.samples;
    const std::size_t length = voice.samples->Frames();
    if (length == 0)
    {
        voice.ended = true;
        return;
    }
    const double rate = static_cast<double>(voice.pitch) * groupPitch;
    for (int i = 0; i < frames; ++i)
    {
        if (clock + i < voice.startClock)
        {
            continue;
        }
        const float gain = voice.gain.Next() * FadeGain(voice.fades, clock + i);
        const auto index = static_cast<std::size_t>(voice.position);
        const auto fraction = static_cast<float>(voice.position - static_cast<double>(index));
        const std::size_t next = index + 1 < length ? index + 1 : (voice.loop ? 0 : index);
        for (std::size_t side = 0; side < 2; ++side)
        {
            const float a = source.Level(2 * index + side);
            const float b = source.Level(2 * next + side);
            target[2 * i + side] += (a + (b - a) * fraction) * gain;
        }
        voice.position += rate;
        if (voice.position >= static_cast<double>(length))
        {
            if (!voice.loop)
            {
                voice.ended = true;
                return;
            }
            voice.position = std::fmod(voice.position, static_cast<double>(length));
        }
    }
}

void ApplyLowpass(MixGroup& group, int frames, int sampleRate)
{
    float* buffer = group.buffer.data();
    const float cutoff = group.mix.lowpassHz;
    if (cutoff <= 0.0f || cutoff >= 0.45f * static_cast<float>(sampleRate))
    {
        // Track the signal so switching the filter on later starts from where the sound is.
        group.lowpassState[0] = buffer[2 * (frames - 1)];
        group.lowpassState[1] = buffer[2 * (frames - 1) + 1];
        return;
    }
    const float a = 1.0f - std::exp(-2.0f * std::numbers::pi_v<float> * cutoff / static_cast<float>(sampleRate));
    for (int i = 0; i < frames; ++i)
    {
        for (int side = 0; side < 2; ++side)
        {
            float& state = group.lowpassState[side];
            state += a * (buffer[2 * i + side] - state);
            buffer[2 * i + side] = state;
        }
    }
}

void ApplyEcho(MixGroup& group, int frames)
{
    if (group.echoLine.empty())
    {
        return;
    }
    float* buffer = group.buffer.data();
    const std::size_t lineFrames = group.echoLine.size() / 2;
    for (int i = 0; i < frames; ++i)
    {
        for (std::size_t side = 0; side < 2; ++side)
        {
            float& delayed = group.echoLine[2 * group.echoPosition + side];
            const float value = buffer[2 * i + side] + group.echoFeedback * delayed;
            delayed = value;
            buffer[2 * i + side] = value;
        }
        group.echoPosition = (group.echoPosition + 1) % lineFrames;
    }
}

void ApplyGains(MixGroup& group, int frames, std::uint64_t clock)
{
    float* buffer = group.buffer.data();
    for (int i = 0; i < frames; ++i)
    {
        const float gain = group.gain.Next() * FadeGain(group.fades, clock + i) * EnvelopeGain(group, clock + i);
        buffer[2 * i] *= gain * group.left.Next();
        buffer[2 * i + 1] *= gain * group.right.Next();
    }
}

} // namespace

void Mixer::Render(float* out, int frames)
{
    std::lock_guard lock(mutex);
    while (frames > 0)
    {
        const int block = std::min(frames, blockFrames);
        RenderBlock(out, block);
        out += 2 * block;
        frames -= block;
    }
}

void Mixer::RenderBlock(float* out, int frames)
{
    const auto samples = static_cast<std::size_t>(frames) * 2;
    for (auto& [id, group] : groups)
    {
        const MixGroup* parent = FindGroup(group.parent);
        group.pitch = group.mix.pitch * (parent != nullptr ? parent->pitch : 1.0f);
        group.silent = group.paused || (parent != nullptr && parent->silent);
        group.active = !group.echoLine.empty() && !group.silent;
        group.buffer.assign(samples, 0.0f);
        group.gain.SetTarget(group.volume * group.mix.gain);
        group.left.SetTarget(group.mix.left);
        group.right.SetTarget(group.mix.right);
    }
    for (auto& [id, voice] : voices)
    {
        MixGroup* group = FindGroup(voice.group);
        if (voice.ended || voice.paused || group == nullptr || group->silent)
        {
            continue;
        }
        voice.gain.SetTarget(voice.volume);
        MixVoiceInto(voice, group->pitch, group->buffer.data(), frames, clock);
        group->active = true;
    }
    std::fill(out, out + samples, 0.0f);
    // Children before parents: a group's buffer is complete when its turn comes.
    for (auto entry = groups.rbegin(); entry != groups.rend(); ++entry)
    {
        MixGroup& group = entry->second;
        if (!group.active)
        {
            continue;
        }
        ApplyLowpass(group, frames, sampleRate);
        ApplyEcho(group, frames);
        ApplyGains(group, frames, clock);
        float* target = out;
        if (MixGroup* parent = FindGroup(group.parent))
        {
            parent->active = true;
            target = parent->buffer.data();
        }
        for (std::size_t i = 0; i < samples; ++i)
        {
            target[i] += group.buffer[i];
        }
    }
    for (std::size_t i = 0; i < samples; ++i)
    {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
    clock += static_cast<std::uint64_t>(frames);
    for (auto& [id, group] : groups)
    {
        if (group.release.frames > 0 && clock >= group.release.start + group.release.frames)
        {
            StopBelow(id);
            group.release = {};
        }
    }
}

} // namespace kesto::studio::detail
