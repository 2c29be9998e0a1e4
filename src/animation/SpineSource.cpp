#include "animation/SpineSource.h"

#include "graphics/Texture.h"

#include <utility>

namespace kesto
{

SpineSource::SpineSource() = default;

SpineSource::~SpineSource() = default;

SpineInstance::SpineInstance(const SpineSource* from) : SpineInstance(from ? from->name : std::string(), from) {}

SpineInstance::SpineInstance(std::string skeletonName, const SpineSource* from)
    : name(std::move(skeletonName)), source(from)
{
    if (source && source->IsLoaded())
    {
        skeleton = std::make_unique<spine::Skeleton>(*source->skeletonData);
        state = std::make_unique<spine::AnimationState>(*source->stateData);
    }
}

SpineInstance& SpineInstance::operator=(const SpineInstance& other)
{
    if (this != &other)
    {
        *this = SpineInstance(other);
    }
    return *this;
}

SpineInstance::~SpineInstance() = default;

void SpineInstance::Advance(float dt)
{
    if (!skeleton)
    {
        return;
    }
    state->Update(dt);
    state->Apply(*skeleton);
    const spine::TrackEntry* current = state->GetCurrent(0);
    if (!current || !current->next)
    {
        state->AddAnimationByName(0, "animation", true, 0.0f);
    }
}

} // namespace kesto
