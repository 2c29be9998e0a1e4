#include "ui/UI_InputSystem.h"

#include "audio/Audio.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "gamepad/GamepadState.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "graphics/WindowHandler.h"
#include "input/ControllerInputManager.h"
#include "input/DefaultBindings.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "ui/Button.h"
#include "ui/ProgressBar.h"
#include "ui/ProgressBarVisual.h"
#include "ui/Slider.h"
#include "ui/SliderBackground.h"
#include "ui/SliderBar.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <utility>

namespace kesto
{

UI_InputSystem::UI_InputSystem(std::string settings) : settingsFile(std::move(settings)) {}

void UI_InputSystem::Init()
{
    input = registry->GetSystem<MasterInputManager>();
    AddClickBindings(*input);
    store = &registry->GetSystem<ECS>()->entityStore;
    levels = registry->GetSystem<LevelManager>();
    keyboardMouse = registry->GetSystem<PCInputManager>();
    controller = registry->GetSystem<ControllerInputManager>();
    camera = registry->GetSystem<Camera>();
    aspect = 1.0f;
    sublevelsToAdd.clear();
    sublevelsToRemove.clear();
    dragging = false;
    draggedEntity = Entity::None();
    masterMute = musicMute = effectsMute = Mute{};
    fullscreenShown = true;
    virtualCursorReady = false;
    virtualCursor = {};
    stickDirection = {};
    if (!settingsFile.empty())
    {
        startSettings = ReadUserSettings(settingsFile, registry->GetSystem<Trace>());
        savedSettings = *startSettings;
    }
}

void UI_InputSystem::Update(EntityList& entities, float)
{
    ApplyStartSettings();
    RunPasses(entities);
    SaveChangedSettings();
}

void UI_InputSystem::RunPasses(EntityList& entities)
{
    cursor = keyboardMouse->GetMousePosition();
    if (input->IsControllerActive())
    {
        SteerVirtualCursor(entities);
    }
    else
    {
        // A stick left pushed when the mouse took over must not keep a slider dragging.
        stickDirection = {};
    }
    if (InScreenTransition())
    {
        return;
    }
    const WindowHandler& window = *registry->GetSystem<WindowHandler>();
    aspect = window.height > 0 ? static_cast<float>(window.width) / static_cast<float>(window.height) : 1.0f;
    VisualPass(entities);
    if (!dragging && ReleaseEdge())
    {
        ClickPass(entities);
    }
    ApplySublevelQueues();
    DragPass(entities);
}

bool UI_InputSystem::Contains(const Transform& transform, Vec2 point)
{
    const Vec2 centre = transform.GetTranslation();
    const Vec2 half = transform.GetScale() * 0.5f;
    return centre.x - half.x < point.x && point.x < centre.x + half.x && centre.y - half.y < point.y &&
           point.y < centre.y + half.y;
}

bool UI_InputSystem::IsOnTopLayer(const Entity& entity) const
{
    const std::vector<std::vector<Entity>>& groups = levels->levelEntities;
    if (groups.size() < 2)
    {
        return true;
    }
    return std::find(groups.back().begin(), groups.back().end(), entity) != groups.back().end();
}

bool UI_InputSystem::InScreenTransition() const
{
    const auto& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    return renderer.fadingOut && renderer.transition != 1.0f;
}

void UI_InputSystem::VisualPass(EntityList& entities)
{
    for (const Entity& entity : entities)
    {
        if (auto* button = store->GetComponent<Button>(entity))
        {
            UpdateButton(entity, *button);
        }
        auto* bar = store->GetComponent<ProgressBar>(entity);
        auto* sprite = store->GetComponent<Sprite>(entity);
        if (bar && sprite)
        {
            UpdateProgressBarVisual(*bar, *sprite, *store->GetComponent<Transform>(entity));
        }
        if (auto* slider = store->GetComponent<Slider>(entity))
        {
            SyncSlider(*slider, *store->GetComponent<Transform>(entity));
        }
        if (store->HasComponent<SliderBar>(entity))
        {
            UpdateSliderBar(entity);
        }
        if (auto* box = store->GetComponent<CheckBox>(entity))
        {
            UpdateCheckBox(entity, *box);
        }
    }
}

bool UI_InputSystem::ReleaseEdge() const
{
    if (keyboardMouse->IsKeyReleased(GLFW_MOUSE_BUTTON_LEFT))
    {
        return true;
    }
    return controller->IsConnected() && !controller->IsButtonDown(gamepad::buttonA) &&
           controller->WasButtonDown(gamepad::buttonA);
}

void UI_InputSystem::ClickPass(EntityList& entities)
{
    for (const Entity& entity : entities)
    {
        if (auto* button = store->GetComponent<Button>(entity))
        {
            ClickButton(entity, *button);
        }
        if (store->HasComponent<SliderBackground>(entity))
        {
            ClickSliderBackground(entity);
        }
        if (auto* box = store->GetComponent<CheckBox>(entity))
        {
            ClickCheckBox(entity, *box);
        }
    }
}

void UI_InputSystem::ApplySublevelQueues()
{
    if (sublevelsToAdd.empty() && sublevelsToRemove.empty())
    {
        return;
    }
    // Swapped out first: loading a sublevel must not see (or grow) the queue it is walking.
    const std::vector<std::string> adding = std::exchange(sublevelsToAdd, {});
    const std::vector<std::string> removing = std::exchange(sublevelsToRemove, {});
    for (const std::string& name : adding)
    {
        levels->AddSublevel(name);
    }
    for (const std::string& name : removing)
    {
        const std::vector<std::string>& loaded = levels->sublevels;
        if (std::find(loaded.begin(), loaded.end(), name) != loaded.end())
        {
            levels->RemoveSublevel(name);
        }
    }
    // The gamepad's cursor is placed again on the new top layer.
    virtualCursorReady = false;
}

EntityList& UI_InputSystem::Elements() const
{
    return registry->GetSystem<ECS>()->systemStore.GetEntityList<UI_InputSystem>();
}

bool UI_InputSystem::IsLevel(const std::string& name) const
{
    const std::vector<std::string> names = levels->ListLevels(false);
    return std::find(names.begin(), names.end(), name) != names.end();
}

void UI_InputSystem::ReportBadAction(const std::string& releaseFunction, const std::string& why)
{
    if (reportedActions.insert(releaseFunction).second)
    {
        registry->GetSystem<Trace>()->Report("UI", "button action \"" + releaseFunction + "\"",
                                             why + "; the button does nothing");
    }
}

Vec2 UI_InputSystem::ScreenToWorld(Vec2 point) const { return camera->GetProjView().Inverse().TransformPoint(point); }

Vec2 UI_InputSystem::WorldToScreen(Vec2 point) const { return camera->GetProjView().TransformPoint(point); }

} // namespace kesto
