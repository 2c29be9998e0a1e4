#pragma once

#include "spine/Spine.h"

#include <memory>
#include <string>
#include <vector>

namespace kesto
{

struct Texture;

// One skeleton folder: its atlas, skeleton data and crossfade data. A folder whose files are missing or bad keeps
// its name with whatever failed left empty, so sprites naming it stay valid but show nothing.
struct SpineSource
{
    SpineSource();
    ~SpineSource();
    SpineSource(const SpineSource&) = delete;
    SpineSource& operator=(const SpineSource&) = delete;

    std::string name; // the folder's name
    // The page textures the atlas made; declared before the atlas so they outlive its dispose calls.
    std::vector<std::unique_ptr<Texture>> pageTextures;
    std::unique_ptr<spine::Atlas> atlas;
    std::unique_ptr<spine::SkeletonData> skeletonData;
    std::unique_ptr<spine::AnimationStateData> stateData;

    bool IsLoaded() const { return stateData != nullptr; }
};

// A sprite's own skeleton and animation state on a source (empty without a loaded one). Copies start afresh from
// the same source, so cloned sprites animate independently.
class SpineInstance
{
public:
    SpineInstance() = default;
    explicit SpineInstance(const SpineSource* from);
    // On the source of that name, which may be null (not loaded): the name is kept, so data naming a skeleton
    // that is missing today is written back unchanged.
    SpineInstance(std::string skeletonName, const SpineSource* from);
    SpineInstance(const SpineInstance& other) : SpineInstance(other.name, other.source) {}
    SpineInstance& operator=(const SpineInstance& other);
    SpineInstance(SpineInstance&&) noexcept = default;
    SpineInstance& operator=(SpineInstance&&) noexcept = default;
    ~SpineInstance();

    // Advances the animation by dt seconds and poses the skeleton; then keeps "animation" looping on track 0
    // unless something is already queued behind the current entry.
    void Advance(float dt);

    bool HasSkeleton() const { return skeleton != nullptr; }
    // The skeleton's name, empty for an instance made empty.
    const std::string& Name() const { return name; }

    std::string name;
    const SpineSource* source = nullptr;
    std::unique_ptr<spine::Skeleton> skeleton;
    std::unique_ptr<spine::AnimationState> state;
};

} // namespace kesto
