#include "ui/PauseSystem.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"
#include "input/MasterInputManager.h"
#include "levels/LevelManager.h"
#include "ui/UI_InputSystem.h"

#include <algorithm>
#include <string>

namespace kesto
{

namespace
{

bool IsLoaded(const LevelManager& levels, std::string_view name)
{
    return std::find(levels.sublevels.begin(), levels.sublevels.end(), name) != levels.sublevels.end();
}

} // namespace

void PauseSystem::Update(EntityList&, float)
{
    if (!registry->GetSystem<MasterInputManager>()->IsActionTriggered("Pause"))
    {
        return;
    }
    const LevelManager& levels = *registry->GetSystem<LevelManager>();
    if (!levels.canPause || registry->GetSystem<ECS>()->systemStore.GetSystem<UI_InputSystem>()->InScreenTransition())
    {
        return;
    }
    const auto open = std::find_if(menuSublevels.begin(), menuSublevels.end(),
                                   [&levels](std::string_view name) { return IsLoaded(levels, name); });
    if (open != menuSublevels.end())
    {
        Close(*open);
    }
    else if (allowPause)
    {
        Open();
    }
}

void PauseSystem::Open()
{
    registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>()->crtOn = true;
    registry->GetSystem<LevelManager>()->AddSublevel("PauseMenu");
    registry->timeScale = 0.0f;
    paused = true;
}

void PauseSystem::Close(std::string_view menu)
{
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    renderer.crtOn = false;
    renderer.slowMotionOn = false;
    LevelManager& levels = *registry->GetSystem<LevelManager>();
    levels.RemoveSublevel(std::string(menu));
    for (std::string_view extra : {"Are You Sure", "Credit-Sub"})
    {
        if (IsLoaded(levels, extra))
        {
            levels.RemoveSublevel(std::string(extra));
        }
    }
    registry->timeScale = 1.0f;
    paused = false;
}

} // namespace kesto
