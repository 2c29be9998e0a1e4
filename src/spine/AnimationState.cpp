#include "spine/AnimationState.h"

#include "spine/Skeleton.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace kesto::spine
{

void AnimationStateData::SetMix(const Animation& from, const Animation& to, float duration)
{
    mixes[{&from, &to}] = duration;
}

bool AnimationStateData::SetMixByName(std::string_view from, std::string_view to, float duration)
{
    const Animation* fromAnimation = data.FindAnimation(from);
    const Animation* toAnimation = data.FindAnimation(to);
    if (!fromAnimation || !toAnimation)
    {
        return false;
    }
    SetMix(*fromAnimation, *toAnimation, duration);
    return true;
}

float AnimationStateData::GetMix(const Animation* from, const Animation& to) const
{
    const auto found = mixes.find({from, &to});
    return found == mixes.end() ? defaultMix : found->second;
}

float TrackEntry::AnimationTime() const
{
    if (loop)
    {
        const float duration = animationEnd - animationStart;
        return duration > 0.0f ? animationStart + std::fmod(trackTime, duration) : animationStart;
    }
    return std::min(animationStart + trackTime, animationEnd);
}

void AnimationState::Update(float delta)
{
    delta *= timeScale;
    for (auto& track : tracks)
    {
        if (track)
        {
            UpdateTrack(track, delta);
        }
    }
}

void AnimationState::UpdateTrack(std::unique_ptr<TrackEntry>& track, float delta)
{
    TrackEntry& current = *track;
    float currentDelta = delta * current.timeScale;
    if (current.delay > 0.0f)
    {
        current.delay -= currentDelta;
        if (current.delay > 0.0f)
        {
            return;
        }
        currentDelta = -current.delay;
        current.delay = 0.0f;
    }
    current.trackTime += currentDelta;
    if (current.mixingFrom)
    {
        current.mixingFrom->trackTime += delta * current.mixingFrom->timeScale;
        current.mixTime += delta;
    }
    // Queued entries become current once the track time reaches their delay; the time past it carries over.
    while (track->next && track->trackTime >= track->next->delay)
    {
        const float scale = track->timeScale;
        std::unique_ptr<TrackEntry> next = std::move(track->next);
        const float carried = scale != 0.0f ? (track->trackTime - next->delay) / scale : 0.0f;
        next->trackTime = carried * next->timeScale;
        next->delay = 0.0f;
        SetCurrent(track, std::move(next));
        track->mixTime = carried;
    }
    if (!track->next && !track->mixingFrom && track->trackTime >= track->trackEnd)
    {
        track.reset();
    }
}

void AnimationState::Apply(Skeleton& skeleton)
{
    if (&skeleton.Data() != &data.GetSkeletonData())
    {
        throw std::invalid_argument("AnimationState::Apply: the skeleton is not of this state's skeleton data");
    }
    for (std::size_t i = 0; i < tracks.size(); ++i)
    {
        if (tracks[i] && tracks[i]->delay <= 0.0f)
        {
            ApplyTrack(*tracks[i], skeleton, i == 0 ? MixBlend::Setup : MixBlend::Replace);
        }
    }
}

void AnimationState::ApplyTrack(TrackEntry& entry, Skeleton& skeleton, MixBlend blend)
{
    const Animation& animation = *entry.animation;
    float mix = 1.0f;
    const TrackEntry* from = entry.mixingFrom.get();
    if (from)
    {
        mix = entry.mixDuration > 0.0f ? std::min(1.0f, entry.mixTime / entry.mixDuration) : 1.0f;
        // What both animations key ends up as a blend of the two; what only the old one keys fades back to
        // where this track starts from; its attachments and draw order give way at once.
        const float fromTime = from->AnimationTime();
        for (const auto& timeline : from->animation->timelines)
        {
            const bool shared = animation.HasTimeline(timeline->PropertyId());
            if (timeline->IsDiscrete())
            {
                if (!shared)
                {
                    timeline->Apply(skeleton, fromTime, 0.0f, blend);
                }
                continue;
            }
            timeline->Apply(skeleton, fromTime, from->alpha * (shared ? 1.0f : 1.0f - mix), blend);
        }
    }
    const float time = entry.AnimationTime();
    for (const auto& timeline : animation.timelines)
    {
        const bool shared = from && from->animation->HasTimeline(timeline->PropertyId());
        const float alpha = timeline->IsDiscrete() ? entry.alpha : entry.alpha * mix;
        timeline->Apply(skeleton, time, alpha, shared ? MixBlend::Replace : blend);
    }
    if (from && mix >= 1.0f)
    {
        entry.mixingFrom.reset();
    }
}

std::unique_ptr<TrackEntry> AnimationState::NewEntry(const Animation& animation, bool loop,
                                                     const TrackEntry* last) const
{
    auto entry = std::make_unique<TrackEntry>();
    entry->animation = &animation;
    entry->loop = loop;
    entry->animationEnd = animation.duration;
    entry->mixDuration = last ? data.GetMix(last->animation, animation) : 0.0f;
    return entry;
}

std::unique_ptr<TrackEntry>& AnimationState::Track(int track)
{
    if (track < 0 || track >= maxTracks)
    {
        throw std::out_of_range("AnimationState: track " + std::to_string(track) + " is not within 0.." +
                                std::to_string(maxTracks - 1));
    }
    const auto index = static_cast<std::size_t>(track);
    if (index >= tracks.size())
    {
        tracks.resize(index + 1);
    }
    return tracks[index];
}

void AnimationState::SetCurrent(std::unique_ptr<TrackEntry>& track, std::unique_ptr<TrackEntry> entry)
{
    if (track)
    {
        std::unique_ptr<TrackEntry> old = std::move(track);
        old->next.reset();
        // Only one fade at a time: an entry that was still fading in is faded out from where it stands.
        old->mixingFrom.reset();
        entry->mixingFrom = std::move(old);
        entry->mixTime = 0.0f;
    }
    track = std::move(entry);
}

TrackEntry* AnimationState::SetAnimation(int track, const Animation& animation, bool loop)
{
    std::unique_ptr<TrackEntry>& current = Track(track);
    std::unique_ptr<TrackEntry> entry = NewEntry(animation, loop, current.get());
    TrackEntry* result = entry.get();
    SetCurrent(current, std::move(entry));
    return result;
}

TrackEntry* AnimationState::SetAnimationByName(int track, std::string_view name, bool loop)
{
    const Animation* animation = data.GetSkeletonData().FindAnimation(name);
    return animation ? SetAnimation(track, *animation, loop) : nullptr;
}

TrackEntry* AnimationState::AddAnimation(int track, const Animation& animation, bool loop, float delay)
{
    std::unique_ptr<TrackEntry>& current = Track(track);
    if (!current)
    {
        std::unique_ptr<TrackEntry> entry = NewEntry(animation, loop, nullptr);
        entry->delay = std::max(delay, 0.0f);
        TrackEntry* result = entry.get();
        SetCurrent(current, std::move(entry));
        return result;
    }
    TrackEntry* last = current.get();
    while (last->next)
    {
        last = last->next.get();
    }
    std::unique_ptr<TrackEntry> entry = NewEntry(animation, loop, last);
    if (delay <= 0.0f)
    {
        const float duration = last->animationEnd - last->animationStart;
        if (duration != 0.0f)
        {
            // A looping entry hands over at the end of the loop it is in.
            delay += last->loop ? duration * (1.0f + std::floor(last->trackTime / duration))
                                : std::max(duration, last->trackTime);
            delay -= entry->mixDuration;
        }
        else
        {
            delay = last->trackTime;
        }
    }
    entry->delay = delay;
    TrackEntry* result = entry.get();
    last->next = std::move(entry);
    return result;
}

TrackEntry* AnimationState::AddAnimationByName(int track, std::string_view name, bool loop, float delay)
{
    const Animation* animation = data.GetSkeletonData().FindAnimation(name);
    return animation ? AddAnimation(track, *animation, loop, delay) : nullptr;
}

TrackEntry* AnimationState::GetCurrent(int track) const
{
    if (track < 0 || static_cast<std::size_t>(track) >= tracks.size())
    {
        return nullptr;
    }
    return tracks[static_cast<std::size_t>(track)].get();
}

void AnimationState::ClearTrack(int track)
{
    if (track >= 0 && static_cast<std::size_t>(track) < tracks.size())
    {
        tracks[static_cast<std::size_t>(track)].reset();
    }
}

void AnimationState::ClearTracks() { tracks.clear(); }

} // namespace kesto::spine
