#include "ui/CutsceneSystem.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/Video.h"
#include "levels/LevelManager.h"
#include "ui/SkipInput.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// The first sprite showing the named image, or null.
Sprite* FindSprite(EntityStore& store, const std::vector<Entity>& sprites, const char* sourceName)
{
    for (const Entity& entity : sprites)
    {
        Sprite* sprite = store.GetComponent<Sprite>(entity);
        if (sprite->spriteSource && sprite->spriteSource->name == sourceName)
        {
            return sprite;
        }
    }
    return nullptr;
}

void SetAlpha(Sprite* sprite, float alpha)
{
    if (sprite)
    {
        sprite->alpha = std::clamp(alpha, 0.0f, 1.0f);
    }
}

} // namespace

void CutsceneSystem::Update(float)
{
    if (registry->GetSystem<ECS>()->systemStore.editorMode)
    {
        return;
    }
    const std::string level = registry->GetSystem<LevelManager>()->currentLevel;
    const bool skip = IsSkipPressed(*registry);
    if (level == splashLevel)
    {
        RunSplash(skip);
        return;
    }
    splashTime = 0.0f;
    skipRequested = false;
    if (level == introLevel)
    {
        EndCinematic(skip, 0.0f, firstStage, 1.5f);
    }
    else if (level == endingLevel)
    {
        EndCinematic(skip, endingSkipDelay, congratsLevel, 0.5f);
    }
}

void CutsceneSystem::RunSplash(bool skip)
{
    splashTime += registry->rawDt;
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const std::vector<Entity> sprites = store.GetEntities({ComponentType::Sprite});
    Sprite* audioCredit = FindSprite(store, sprites, "FMOD");
    Sprite* studioLogo = FindSprite(store, sprites, "TestLogo");
    Sprite* copyright = FindSprite(store, sprites, "awcopyright");
    Sprite* runner = FindSprite(store, sprites, "animRunv002");
    Sprite* loading = FindSprite(store, sprites, "loading");
    const bool allLoaded = registry->GetSystem<SpriteSourceManager>()->allLoaded;
    if (!skipRequested && (splashTime >= splashLength || skip))
    {
        if (!allLoaded)
        {
            SetAlpha(runner, 1.0f);
            SetAlpha(loading, 0.5f + 0.175f * std::sin(splashTime / 0.2f));
        }
        skipRequested = true;
    }
    if (skipRequested && allLoaded)
    {
        registry->GetSystem<LevelManager>()->ChangeLevel(1.0f, 1.0f, "Main Menu", 0.0f, ScreenTransition::Fade);
    }
    FadeLogos(audioCredit, studioLogo, copyright, loading);
}

void CutsceneSystem::FadeLogos(Sprite* audioCredit, Sprite* studioLogo, Sprite* copyright, Sprite* loading) const
{
    if (splashTime < 1.0f)
    {
        SetAlpha(studioLogo, splashTime);
        SetAlpha(copyright, splashTime);
        SetAlpha(audioCredit, 0.0f);
    }
    else
    {
        const float w = std::clamp(splashTime - 4.0f, 0.0f, 1.0f);
        SetAlpha(audioCredit, w);
        SetAlpha(studioLogo, 1.0f - w);
        SetAlpha(copyright, 1.0f - w);
    }
    if (loading && loading->alpha != 0.0f)
    {
        SetAlpha(loading, 0.5f + 0.175f * std::sin(splashTime / 0.2f));
    }
}

void CutsceneSystem::EndCinematic(bool skip, float minimumPlayed, const std::string& next, float fadeInLength)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const std::vector<Entity> videos = store.GetEntities({ComponentType::Video});
    if (videos.empty())
    {
        return;
    }
    const Video& video = *store.GetComponent<Video>(videos.front());
    if (video.finished || (skip && (minimumPlayed <= 0.0f || video.time > minimumPlayed)))
    {
        registry->GetSystem<LevelManager>()->ChangeLevel(1.0f, fadeInLength, next, 0.0f, ScreenTransition::Fade);
    }
}

} // namespace kesto
