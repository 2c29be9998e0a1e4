#include "audio/Audio.h"
#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/WindowHandler.h"
#include "ui/UI_InputSystem.h"

#include <utility>

namespace kesto
{

UserSettings UI_InputSystem::CurrentSettings() const
{
    const Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    UserSettings settings;
    settings.masterVolume = masterMute.muted ? masterMute.savedVolume : audio.masterVolume;
    settings.musicVolume = musicMute.muted ? musicMute.savedVolume : audio.musicVolume;
    settings.effectsVolume = effectsMute.muted ? effectsMute.savedVolume : audio.sfxVolume;
    settings.masterMuted = masterMute.muted;
    settings.musicMuted = musicMute.muted;
    settings.effectsMuted = effectsMute.muted;
    settings.fullscreen = registry->GetSystem<WindowHandler>()->fullscreen;
    return settings;
}

void UI_InputSystem::ApplyStartSettings()
{
    if (!startSettings)
    {
        return;
    }
    // Applied in the first update rather than at Init: the audio system initialises after this one.
    const UserSettings settings = *std::exchange(startSettings, std::nullopt);
    Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    audio.SetMasterVolume(settings.masterVolume);
    audio.SetMusicVolume(settings.musicVolume);
    audio.SetSFXVolume(settings.effectsVolume);
    const std::pair<bool, CheckBoxType> mutes[] = {{settings.masterMuted, CheckBoxType::MuteMaster},
                                                   {settings.musicMuted, CheckBoxType::MuteBGM},
                                                   {settings.effectsMuted, CheckBoxType::MuteSFX}};
    for (const auto& [muted, type] : mutes)
    {
        if (muted)
        {
            SetCheckBoxSetting(type, true);
        }
    }
    // The game opens its window in the saved mode already; this catches any other start.
    if (registry->GetSystem<WindowHandler>()->fullscreen != settings.fullscreen)
    {
        SetCheckBoxSetting(CheckBoxType::FullScreen, settings.fullscreen);
    }
    fullscreenShown = settings.fullscreen;
    savedSettings = CurrentSettings();
}

void UI_InputSystem::SaveChangedSettings()
{
    // A drag is saved once, when it ends.
    if (settingsFile.empty() || dragging)
    {
        return;
    }
    const UserSettings current = CurrentSettings();
    if (current == savedSettings)
    {
        return;
    }
    // Remembered even when the write fails, so a read-only folder is reported once per change, not every frame.
    savedSettings = current;
    WriteUserSettings(settingsFile, current, registry->GetSystem<Trace>());
}

} // namespace kesto
