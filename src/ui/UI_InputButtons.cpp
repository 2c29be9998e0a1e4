#include "audio/Audio.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "levels/LevelManager.h"
#include "ui/Button.h"
#include "ui/UI_InputSystem.h"

#include <algorithm>

namespace kesto
{

namespace
{

std::string SourceName(const Sprite& sprite) { return sprite.spriteSource ? sprite.spriteSource->name : std::string(); }

} // namespace

void UI_InputSystem::UpdateButton(const Entity& entity, Button& button)
{
    Sprite* sprite = store->GetComponent<Sprite>(entity);
    if (!sprite)
    {
        return;
    }
    SpriteSourceManager& sources = *registry->GetSystem<SpriteSourceManager>();
    if (button.defaultSprite.empty())
    {
        button.defaultSprite = SourceName(*sprite);
    }
    else
    {
        sprite->spriteSource = sources.Find(button.defaultSprite);
    }
    if (button.hoverSprite.empty())
    {
        button.hoverSprite = SourceName(*sprite);
        return;
    }
    if (Contains(*store->GetComponent<Transform>(entity), cursor) && IsOnTopLayer(entity))
    {
        sprite->spriteSource = sources.Find(button.hoverSprite);
        if (!button.hovered && !button.hoverSound.empty())
        {
            registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>()->PlayEvent(button.hoverSound);
        }
        button.hovered = true;
    }
    else
    {
        button.hovered = false;
    }
}

void UI_InputSystem::ClickButton(const Entity& entity, Button& button)
{
    // A button drawn fully transparent is out of play, though it still highlights.
    const Sprite* sprite = store->GetComponent<Sprite>(entity);
    if (!sprite || sprite->alpha == 0.0f)
    {
        return;
    }
    if (!Contains(*store->GetComponent<Transform>(entity), cursor) || !IsOnTopLayer(entity))
    {
        return;
    }
    if (!button.releaseSound.empty())
    {
        registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>()->PlayEvent(button.releaseSound);
    }
    ExecuteButtonFunction(button.releaseFunction);
}

void UI_InputSystem::ExecuteButtonFunction(const std::string& releaseFunction)
{
    const std::optional<ReleaseAction> decoded = DecodeReleaseFunction(releaseFunction);
    if (!decoded)
    {
        // Without "_" a text is no action by design; with one, the prefix is a typo worth telling the designer.
        const std::size_t separator = releaseFunction.find('_');
        if (separator != std::string::npos && separator != 0)
        {
            ReportBadAction(releaseFunction, "\"" + releaseFunction.substr(0, separator) + "\" is no button action");
        }
        return;
    }
    const auto& [action, argument] = *decoded;
    using A = ButtonAction;
    const bool namesLevel = action == A::StateChange || action == A::StateChangeDramatic || action == A::AddSubLevel ||
                            action == A::RemoveSubLevel;
    if (namesLevel && !IsLevel(argument))
    {
        ReportBadAction(releaseFunction, "\"" + argument + "\" is not a level file");
        return;
    }
    RendererSystem& renderer = *registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
    switch (action)
    {
    case A::StateChange:
        virtualCursorReady = false;
        levels->ChangeLevel(0.5f, 0.5f, argument, 0.0f, ScreenTransition::Fade);
        break;
    case A::StateChangeDramatic:
        levels->ChangeLevel(1.5f, 0.0f, argument, 1.0f, ScreenTransition::Fade);
        break;
    case A::StateChangeRestart:
        virtualCursorReady = false;
        levels->ChangeLevel(0.0f, 0.5f, levels->currentLevel, 1.0f, ScreenTransition::Fade);
        break;
    case A::AddSubLevel:
        sublevelsToAdd.push_back(argument);
        break;
    case A::RemoveSubLevel:
        if (std::find(levels->sublevels.begin(), levels->sublevels.end(), argument) != levels->sublevels.end())
        {
            sublevelsToRemove.push_back(argument);
        }
        break;
    case A::Pause:
        renderer.crtOn = true;
        registry->timeScale = 0.0f;
        break;
    case A::UnPause:
        renderer.crtOn = false;
        registry->timeScale = 1.0f;
        break;
    case A::Exit:
        registry->GetSystem<WindowHandler>()->HandleCloseRequest();
        break;
    case A::DisplayUI:
    case A::DisplayButton:
    case A::DisplayProgressBar:
    case A::DisplayDropdownList:
    case A::Stub:
        break;
    }
}

} // namespace kesto
