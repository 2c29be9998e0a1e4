#include "animation/AnimationSystem.h"

#include "animation/Animation.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/MeshManager.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "levels/LevelManager.h"

#include <cmath>

namespace kesto
{

void AnimationSystem::Update(EntityList& entities, float dt)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (Entity& entity : entities)
    {
        auto* animation = store.GetComponent<Animation>(entity);
        auto* sprite = store.GetComponent<Sprite>(entity);
        animation->finished = false;
        animation->framesEntered.clear();
        if (animation->playOnStart)
        {
            animation->playOnStart = false;
            Play(*animation, *sprite);
        }
        // A destroyed entity ends this system's work for the frame.
        if (Advance(entity, *animation, *sprite, dt))
        {
            return;
        }
    }
}

void AnimationSystem::Play(Animation& animation, Sprite& sprite)
{
    const SpriteSource* source = sprite.spriteSource;
    if (!source || !source->IsDrawable())
    {
        animation.frameCount = 0;
        return;
    }
    sprite.mesh = &registry->GetSystem<MeshManager>()->Get(1.0f / static_cast<float>(source->columns),
                                                           1.0f / static_cast<float>(source->rows));
    animation.frameDuration = source->frameDuration;
    animation.frame = 0;
    animation.timer = animation.frameDuration;
    animation.frameCount = source->frameCount;
    animation.isLooping = source->isLooping;
    animation.playing = true;
    animation.finished = false;
    sprite.frame = 0;
}

bool AnimationSystem::Advance(const Entity& entity, Animation& animation, Sprite& sprite, float dt)
{
    if (!animation.playing || animation.frameCount <= 0)
    {
        return false;
    }
    const float step = animation.speed * dt;
    if (!IsPlayableStep(entity, animation.speed, step))
    {
        return false;
    }
    animation.timer -= step;
    // A zero-length cell would never let the timer climb above 0; such sheets advance one cell per update.
    const bool oneCellOnly = animation.frameDuration <= 0.0f;
    int cellsLeft = animation.frameCount;
    while (animation.timer <= 0.0f && animation.playing)
    {
        animation.frame += 1;
        if (animation.frame >= animation.frameCount)
        {
            if (animation.isLooping)
            {
                animation.frame = 0;
            }
            else
            {
                animation.playing = false;
            }
            animation.finished = true;
        }
        if (animation.playing)
        {
            sprite.frame = animation.frame;
            animation.timer += animation.frameDuration;
        }
        else
        {
            animation.timer = 0.0f;
        }
        animation.framesEntered.push_back(animation.frame);
        if (animation.destroyOnFinish && animation.finished)
        {
            registry->GetSystem<LevelManager>()->RemoveFromLevel(entity);
            registry->GetSystem<ECS>()->entityStore.DestroyEntity(entity);
            return true;
        }
        if (oneCellOnly)
        {
            break;
        }
        // A whole loop in one update has shown every cell; the time still owed is dropped.
        if (--cellsLeft == 0)
        {
            if (animation.timer <= 0.0f)
            {
                animation.timer = animation.frameDuration;
            }
            break;
        }
    }
    return false;
}

bool AnimationSystem::IsPlayableStep(const Entity& entity, float speed, float step)
{
    if (std::isfinite(step))
    {
        return true;
    }
    if (reportedSpeeds.insert(entity.name).second)
    {
        registry->GetSystem<Trace>()->Report("ANIMATION", entity.name,
                                             "playback speed " + std::to_string(speed) +
                                                 " gives no finite step; the animation holds its cell");
    }
    return false;
}

} // namespace kesto
