#include "studio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kesto::studio::detail
{
namespace
{

template <class Map> auto* FindIn(Map& map, ControlId id)
{
    auto found = map.find(id);
    return found == map.end() ? nullptr : &found->second;
}

// Calls visit with the voice or the group named by id; false when there is none.
template <class Voices, class Groups, class Visit>
bool VisitControl(Voices& voices, Groups& groups, ControlId id, Visit visit)
{
    if (auto* voice = FindIn(voices, id))
    {
        visit(*voice);
        return true;
    }
    if (auto* group = FindIn(groups, id))
    {
        visit(*group);
        return true;
    }
    return false;
}

} // namespace

Mixer::Mixer(int rate, int voiceLimit) : sampleRate(rate), maxVoices(voiceLimit)
{
    masterGroup = nextId++;
    groups.emplace(masterGroup, MixGroup{});
}

Mixer::~Mixer() = default;

std::uint64_t Mixer::Clock() const
{
    std::lock_guard lock(mutex);
    return clock;
}

ControlId Mixer::AddGroup(ControlId parent, const GroupMix& mix)
{
    std::lock_guard lock(mutex);
    if (FindGroup(parent) == nullptr)
    {
        return noControl;
    }
    MixGroup group;
    group.parent = parent;
    group.mix = mix;
    group.gain = Ramp(mix.gain);
    group.left = Ramp(mix.left);
    group.right = Ramp(mix.right);
    const ControlId id = nextId++;
    groups.emplace(id, std::move(group));
    return id;
}

void Mixer::RemoveGroup(ControlId group)
{
    std::lock_guard lock(mutex);
    if (group == masterGroup || FindGroup(group) == nullptr)
    {
        return;
    }
    std::erase_if(voices, [&](const auto& entry) { return IsBelow(entry.second.group, group); });
    std::vector<ControlId> doomed;
    for (const auto& [id, found] : groups)
    {
        if (IsBelow(id, group))
        {
            doomed.push_back(id);
        }
    }
    for (ControlId id : doomed)
    {
        groups.erase(id);
    }
}

ControlId Mixer::AddVoice(ControlId group, std::shared_ptr<const SampleBuffer> samples, const VoiceDef& def)
{
    std::lock_guard lock(mutex);
    if (FindGroup(group) == nullptr || !samples || CountPlaying() >= maxVoices)
    {
        return noControl;
    }
    MixVoice voice;
    voice.group = group;
    voice.samples = std::move(samples);
    voice.volume = def.volume;
    voice.pitch = std::clamp(def.pitch, 0.01f, 16.0f);
    voice.loop = def.loop;
    voice.paused = def.paused;
    voice.startClock = def.startClock;
    voice.gain = Ramp(def.volume);
    const ControlId id = nextId++;
    voices.emplace(id, std::move(voice));
    return id;
}

bool Mixer::Exists(ControlId id) const
{
    std::lock_guard lock(mutex);
    return voices.contains(id) || groups.contains(id);
}

bool Mixer::SetVolume(ControlId id, float volume)
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id, [&](auto& control) { control.volume = volume; });
}

bool Mixer::GetVolume(ControlId id, float& volume) const
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id, [&](const auto& control) { volume = control.volume; });
}

bool Mixer::SetPaused(ControlId id, bool paused)
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id, [&](auto& control) { control.paused = paused; });
}

bool Mixer::GetPaused(ControlId id, bool& paused) const
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id, [&](const auto& control) { paused = control.paused; });
}

bool Mixer::Stop(ControlId id)
{
    std::lock_guard lock(mutex);
    if (auto* voice = FindIn(voices, id))
    {
        voice->ended = true;
        return true;
    }
    if (FindGroup(id) != nullptr)
    {
        StopBelow(id);
        return true;
    }
    return false;
}

bool Mixer::IsPlaying(ControlId id, bool& playing) const
{
    std::lock_guard lock(mutex);
    if (const auto* voice = FindIn(voices, id))
    {
        playing = !voice->ended;
        return true;
    }
    if (FindGroup(id) == nullptr)
    {
        return false;
    }
    playing = std::any_of(voices.begin(), voices.end(),
                          [&](const auto& entry) { return !entry.second.ended && IsBelow(entry.second.group, id); });
    return true;
}

bool Mixer::AddFadePoint(ControlId id, FadePoint point)
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id,
                        [&](auto& control)
                        {
                            auto& points = control.fades;
                            auto at = std::lower_bound(points.begin(), points.end(), point.clock,
                                                       [](const FadePoint& p, std::uint64_t c) { return p.clock < c; });
                            if (at != points.end() && at->clock == point.clock)
                            {
                                at->volume = point.volume;
                            }
                            else
                            {
                                points.insert(at, point);
                            }
                        });
}

bool Mixer::RemoveFadePoints(ControlId id, std::uint64_t from, std::uint64_t to)
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id,
                        [&](auto& control) {
                            std::erase_if(control.fades, [&](const FadePoint& point)
                                          { return point.clock >= from && point.clock <= to; });
                        });
}

bool Mixer::GetFadePoints(ControlId id, std::vector<FadePoint>& points) const
{
    std::lock_guard lock(mutex);
    return VisitControl(voices, groups, id, [&](const auto& control) { points = control.fades; });
}

bool Mixer::SetGroupMix(ControlId group, const GroupMix& mix)
{
    std::lock_guard lock(mutex);
    MixGroup* found = FindGroup(group);
    if (found == nullptr)
    {
        return false;
    }
    found->mix = mix;
    found->mix.pitch = std::clamp(mix.pitch, 0.01f, 16.0f);
    return true;
}

bool Mixer::SetGroupEcho(ControlId group, float delaySeconds, float feedback)
{
    std::lock_guard lock(mutex);
    MixGroup* found = FindGroup(group);
    if (found == nullptr)
    {
        return false;
    }
    const auto frames = static_cast<std::size_t>(std::lround(std::max(0.0f, delaySeconds) * sampleRate));
    found->echoLine.assign(frames * 2, 0.0f);
    found->echoPosition = 0;
    found->echoFeedback = std::clamp(feedback, 0.0f, 0.95f);
    return true;
}

bool Mixer::RestartGroup(ControlId group, std::uint64_t fadeInFrames)
{
    std::lock_guard lock(mutex);
    MixGroup* found = FindGroup(group);
    if (found == nullptr)
    {
        return false;
    }
    StopBelow(group);
    found->release = {};
    found->fadeIn = fadeInFrames > 0 ? Envelope{clock, fadeInFrames} : Envelope{};
    return true;
}

bool Mixer::ReleaseGroup(ControlId group, std::uint64_t frames)
{
    std::lock_guard lock(mutex);
    MixGroup* found = FindGroup(group);
    if (found == nullptr)
    {
        return false;
    }
    if (frames == 0)
    {
        StopBelow(group);
        found->release = {};
    }
    else if (found->release.frames == 0)
    {
        found->release = Envelope{clock, frames};
    }
    return true;
}

void Mixer::StopVoicesPlaying(const SampleBuffer* samples)
{
    std::lock_guard lock(mutex);
    for (auto& [id, voice] : voices)
    {
        if (voice.samples.get() == samples)
        {
            voice.ended = true;
        }
    }
}

int Mixer::CountPlayingVoices() const
{
    std::lock_guard lock(mutex);
    return CountPlaying();
}

void Mixer::PurgeEndedVoices()
{
    std::lock_guard lock(mutex);
    std::erase_if(voices, [](const auto& entry) { return entry.second.ended; });
}

MixGroup* Mixer::FindGroup(ControlId id) { return FindIn(groups, id); }

const MixGroup* Mixer::FindGroup(ControlId id) const { return FindIn(groups, id); }

bool Mixer::IsBelow(ControlId group, ControlId ancestor) const
{
    while (group != noControl)
    {
        if (group == ancestor)
        {
            return true;
        }
        const MixGroup* found = FindGroup(group);
        group = found != nullptr ? found->parent : noControl;
    }
    return false;
}

void Mixer::StopBelow(ControlId group)
{
    for (auto& [id, voice] : voices)
    {
        if (IsBelow(voice.group, group))
        {
            voice.ended = true;
        }
    }
}

int Mixer::CountPlaying() const
{
    return static_cast<int>(
        std::count_if(voices.begin(), voices.end(), [](const auto& entry) { return !entry.second.ended; }));
}

} // namespace kesto::studio::detail
