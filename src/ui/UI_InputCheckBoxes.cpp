#include "audio/Audio.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "graphics/WindowHandler.h"
#include "ui/UI_InputSystem.h"

namespace kesto
{

namespace
{

// The sprite names of a box as they are shown: by checked and hovered.
const std::string& SpriteFor(const CheckBox& box, bool hovered)
{
    if (hovered)
    {
        return box.checked ? box.hoverCheckedSprite : box.hoverUncheckedSprite;
    }
    return box.checked ? box.checkedSprite : box.uncheckedSprite;
}

} // namespace

void UI_InputSystem::UpdateCheckBox(const Entity& entity, CheckBox& box)
{
    switch (box.type)
    {
    case CheckBoxType::FullScreen:
        box.checked = registry->GetSystem<WindowHandler>()->fullscreen;
        break;
    case CheckBoxType::MuteMaster:
        box.checked = masterMute.muted;
        break;
    case CheckBoxType::MuteBGM:
        box.checked = musicMute.muted;
        break;
    case CheckBoxType::MuteSFX:
        box.checked = effectsMute.muted;
        break;
    case CheckBoxType::Stub:
        break;
    }
    Sprite* sprite = store->GetComponent<Sprite>(entity);
    if (!sprite)
    {
        return;
    }
    const std::string current = sprite->spriteSource ? sprite->spriteSource->name : std::string();
    for (std::string* name :
         {&box.checkedSprite, &box.uncheckedSprite, &box.hoverCheckedSprite, &box.hoverUncheckedSprite})
    {
        if (name->empty())
        {
            *name = current;
        }
    }
    const bool hovered = Contains(*store->GetComponent<Transform>(entity), cursor) && IsOnTopLayer(entity);
    sprite->spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(SpriteFor(box, hovered));
}

void UI_InputSystem::ClickCheckBox(const Entity& entity, CheckBox& box)
{
    if (!Contains(*store->GetComponent<Transform>(entity), cursor) || !IsOnTopLayer(entity))
    {
        return;
    }
    SetCheckBoxSetting(box.type, !box.checked);
    // The box itself follows the setting at the next visual pass; until then it shows the state it switched to.
    if (Sprite* sprite = store->GetComponent<Sprite>(entity))
    {
        const std::string& shown = box.checked ? box.hoverUncheckedSprite : box.hoverCheckedSprite;
        sprite->spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(shown);
    }
}

void UI_InputSystem::SetCheckBoxSetting(CheckBoxType type, bool on)
{
    Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    const auto toggle = [on](Mute& mute, float volume, auto setVolume)
    {
        if (on)
        {
            mute.muted = true;
            mute.savedVolume = volume;
            setVolume(0.0f);
        }
        else
        {
            mute.muted = false;
            setVolume(mute.savedVolume);
        }
    };
    switch (type)
    {
    case CheckBoxType::FullScreen:
    {
        fullscreenShown = on;
        WindowHandler& window = *registry->GetSystem<WindowHandler>();
        on ? window.EnterFullscreen() : window.LeaveFullscreen();
        break;
    }
    case CheckBoxType::MuteMaster:
        toggle(masterMute, audio.masterVolume, [&audio](float v) { audio.SetMasterVolume(v); });
        break;
    case CheckBoxType::MuteBGM:
        toggle(musicMute, audio.musicVolume, [&audio](float v) { audio.SetMusicVolume(v); });
        break;
    case CheckBoxType::MuteSFX:
        toggle(effectsMute, audio.sfxVolume, [&audio](float v) { audio.SetSFXVolume(v); });
        break;
    case CheckBoxType::Stub:
        break;
    }
}

} // namespace kesto
