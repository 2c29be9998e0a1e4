#pragma once

#include "spine/Animation.h"
#include "spine/SkeletonData.h"

#include <limits>
#include <map>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::spine
{

class Skeleton;

// Crossfade durations between pairs of animations of one skeleton data (which must outlive it).
class AnimationStateData
{
public:
    explicit AnimationStateData(const SkeletonData& skeletonData) : data(skeletonData) {}

    void SetMix(const Animation& from, const Animation& to, float duration);
    // False when either animation does not exist.
    bool SetMixByName(std::string_view from, std::string_view to, float duration);
    // The pair's duration, or defaultMix.
    float GetMix(const Animation* from, const Animation& to) const;
    const SkeletonData& GetSkeletonData() const { return data; }

    float defaultMix = 0.0f; // seconds

private:
    const SkeletonData& data;
    std::map<std::pair<const Animation*, const Animation*>, float> mixes;
};

// One animation playing, or queued to play, on a track. Owned by the state: a pointer to it stays valid while
// it is current or queued, and only until the next Update, Set or Clear call after it was replaced.
struct TrackEntry
{
    // Seconds into the animation for the current track time: wrapped when looping, held at the end otherwise.
    float AnimationTime() const;

    const Animation* animation = nullptr; // never null
    bool loop = false;
    // While queued: seconds after the previous entry started at which this one becomes current. While current:
    // seconds left before it starts playing.
    float delay = 0.0f;
    float trackTime = 0.0f;                             // seconds since it became current, scaled by timeScale
    float trackEnd = std::numeric_limits<float>::max(); // the track empties once trackTime passes it
    float animationStart = 0.0f;
    float animationEnd = 0.0f; // the animation's duration unless changed
    float timeScale = 1.0f;
    float alpha = 1.0f;       // how much of this track's pose shows over lower tracks
    float mixDuration = 0.0f; // crossfade from the entry it replaced
    float mixTime = 0.0f;
    std::unique_ptr<TrackEntry> next;       // queued behind this one
    std::unique_ptr<TrackEntry> mixingFrom; // being faded out while this one fades in
};

// Plays animations on numbered tracks over one skeleton's data: Update advances time, Apply poses a skeleton.
// Higher tracks are applied over lower ones; track 0 poses from the setup pose.
class AnimationState
{
public:
    // data must outlive the state.
    explicit AnimationState(const AnimationStateData& stateData) : data(stateData) {}
    AnimationState(const AnimationState&) = delete;
    AnimationState& operator=(const AnimationState&) = delete;

    // Advances every track by delta seconds (times timeScale): delays run out, queued entries become current
    // when their delay is reached (carrying the overshoot), fades progress and ended tracks empty.
    void Update(float delta);
    // Poses the skeleton from every track; does not compute world transforms.
    void Apply(Skeleton& skeleton);

    // Plays the animation now, dropping the track's queue; fades from the current entry over the mix duration.
    // Throws std::out_of_range for a track outside 0..maxTracks - 1.
    TrackEntry* SetAnimation(int track, const Animation& animation, bool loop);
    // Null when the skeleton data has no such animation.
    TrackEntry* SetAnimationByName(int track, std::string_view name, bool loop);
    // Queues the animation behind the track's last entry, or plays it at once on an empty track. A delay <= 0
    // means: when the last entry ends (for a looping one, its next loop end), less the mix duration, plus delay.
    TrackEntry* AddAnimation(int track, const Animation& animation, bool loop, float delay);
    TrackEntry* AddAnimationByName(int track, std::string_view name, bool loop, float delay);
    // The track's current entry, or null.
    TrackEntry* GetCurrent(int track) const;
    void ClearTrack(int track);
    void ClearTracks();
    const AnimationStateData& GetData() const { return data; }

    static constexpr int maxTracks = 64;
    float timeScale = 1.0f;

private:
    std::unique_ptr<TrackEntry> NewEntry(const Animation& animation, bool loop, const TrackEntry* last) const;
    std::unique_ptr<TrackEntry>& Track(int track);
    void SetCurrent(std::unique_ptr<TrackEntry>& slot, std::unique_ptr<TrackEntry> entry);
    void UpdateTrack(std::unique_ptr<TrackEntry>& slot, float delta);
    void ApplyTrack(TrackEntry& entry, Skeleton& skeleton, MixBlend blend);

    const AnimationStateData& data;
    std::vector<std::unique_ptr<TrackEntry>> tracks;
};

} // namespace kesto::spine
