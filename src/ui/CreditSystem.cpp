#include "ui/CreditSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"
#include "levels/LevelManager.h"
#include "ui/SkipInput.h"
#include "ui/UI_InputSystem.h"

#include <algorithm>

namespace kesto
{

void CreditSystem::Update(float)
{
    const bool editorMode = registry->GetSystem<ECS>()->systemStore.editorMode;
    const bool onCredits = registry->GetSystem<LevelManager>()->currentLevel == creditLevel;
    if (!active)
    {
        // Starts counting from the next frame.
        if (onCredits && !editorMode)
        {
            active = true;
            ResetDelays();
        }
    }
    else if (onCredits)
    {
        RunCreditLevel(editorMode);
    }
    else
    {
        active = false;
        scrolling = false;
        // Glides of no length to where the camera is end at its next update without moving it.
        Camera& camera = *registry->GetSystem<Camera>();
        camera.Glide(camera.GetPosition(), 0.0f);
        camera.ZoomGlide(camera.GetZoom(), 0.0f);
        ResetDelays();
    }
    RunCreditSublevel();
}

void CreditSystem::RunCreditLevel(bool editorMode)
{
    Camera& camera = *registry->GetSystem<Camera>();
    if (editorMode)
    {
        scrolling = false;
        camera.Init();
        ResetDelays();
        return;
    }
    if (IsSkipPressed(*registry))
    {
        LeaveCreditLevel();
        return;
    }
    const float raw = registry->rawDt;
    if (!scrolling)
    {
        startDelay -= raw;
    }
    if (startDelay >= 0.0f)
    {
        return;
    }
    if (!scrolling)
    {
        scrolling = true;
        camera.Glide(target, scrollLength);
    }
    // The glide ends exactly on its target.
    if (camera.GetPosition() == target)
    {
        endDelay -= raw;
        if (endDelay < 0.0f)
        {
            LeaveCreditLevel();
        }
    }
}

void CreditSystem::LeaveCreditLevel()
{
    registry->GetSystem<LevelManager>()->ChangeLevel(1.5f, 0.5f, "Main Menu", 0.0f, ScreenTransition::Fade);
    registry->GetSystem<ECS>()->systemStore.GetSystem<UI_InputSystem>()->virtualCursorReady = false;
    scrolling = false;
    ResetDelays();
}

void CreditSystem::RunCreditSublevel()
{
    LevelManager& levels = *registry->GetSystem<LevelManager>();
    const auto loaded = std::find(levels.sublevels.begin(), levels.sublevels.end(), creditSublevel);
    if (loaded == levels.sublevels.end())
    {
        subArmed = false;
        return;
    }
    if (!subArmed)
    {
        subArmed = true;
        ResetDelays();
        subTime = 0.0f;
        return;
    }
    const float raw = registry->rawDt;
    if (startDelay >= 0.0f)
    {
        startDelay -= raw;
        return;
    }
    if (subTime < scrollLength)
    {
        subTime += raw;
        // Sublevel k is group k of the level's entity lists.
        const auto group = static_cast<std::size_t>(loaded - levels.sublevels.begin()) + 1;
        EntityStore& store = registry->GetSystem<ECS>()->entityStore;
        for (const Entity& entity : levels.levelEntities[group])
        {
            Transform* transform = store.GetComponent<Transform>(entity);
            if (transform && entity.name == scrolledName)
            {
                transform->SetTranslation(transform->GetTranslation() + Vec2{0.0f, raw * sublevelSpeed});
            }
        }
        return;
    }
    endDelay -= raw;
    if (endDelay < 0.0f)
    {
        subArmed = false;
        ResetDelays();
        levels.RemoveSublevel(creditSublevel);
        levels.AddSublevel("PauseMenu");
    }
}

void CreditSystem::ResetDelays()
{
    startDelay = startDelayLength;
    endDelay = endDelayLength;
}

} // namespace kesto
