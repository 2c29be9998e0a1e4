#include "audio/Audio.h"
#include "audio/AudioInternal.h"
#include "engine/Seconds.h"

#include <cmath>
#include <fstream>
#include <limits>

namespace kesto
{

namespace
{

using studio::Mode;

constexpr const char* masterBus = "bus:/";
constexpr const char* musicBus = "bus:/Music";

// NaN counts as silence.
float ClampVolume(float volume)
{
    if (volume > 1.0f)
    {
        return 1.0f;
    }
    return volume > 0.0f ? volume : 0.0f;
}

studio::StopMode ToStudio(AudioStopMode mode)
{
    return mode == AudioStopMode::Immediate ? studio::StopMode::Immediate : studio::StopMode::AllowFadeOut;
}

} // namespace

std::string CinematicSoundPath(const std::string& videoPath)
{
    const std::size_t dot = videoPath.rfind('.');
    const std::size_t separator = videoPath.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
    {
        return videoPath + ".mp3";
    }
    return videoPath.substr(0, dot + 1) + "mp3";
}

void Audio::SetBusVolume(const std::string& path, float volume) { Check(FindBus(path).SetVolume(volume)); }

void Audio::SetMasterVolume(float volume)
{
    masterVolume = ClampVolume(volume);
    SetBusVolume("bus:/SFX", masterVolume * sfxVolume);
    SetBusVolume("bus:/Reverb", masterVolume * sfxVolume);
    SetBusVolume("bus:/SFX/Time_Slow", masterVolume * sfxVolume);
    SetBusVolume("bus:/Music", musicVolume * masterVolume);
    SetBusVolume("bus:/Music/Pause_Menu", musicVolume * masterVolume);
}

void Audio::SetSFXVolume(float volume)
{
    sfxVolume = ClampVolume(volume);
    SetBusVolume("bus:/Reverb", masterVolume * sfxVolume);
    SetBusVolume("bus:/SFX", masterVolume * sfxVolume);
    SetBusVolume("bus:/SFX/Time_Slow", masterVolume * sfxVolume);
}

void Audio::SetMusicVolume(float volume)
{
    musicVolume = ClampVolume(volume);
    SetBusVolume("bus:/Music", musicVolume * masterVolume);
    SetBusVolume("bus:/Music/Pause_Menu", musicVolume * masterVolume);
}

void Audio::StopAllSounds() { StopBus(masterBus, studio::StopMode::Immediate); }

void Audio::StopMusic(AudioStopMode mode) { StopBus(musicBus, ToStudio(mode)); }

void Audio::StopBus(const std::string& path, studio::StopMode mode)
{
    studio::Bus bus = FindBus(path);
    Check(bus.StopAllEvents(mode));
    studio::ChannelGroup group;
    Check(bus.GetChannelGroup(&group));
    Check(group.Stop());
}

void Audio::PreloadCinematics()
{
    if (!core)
    {
        return;
    }
    for (const std::string& path : preloadedCinematics)
    {
        studio::Sound sound;
        // A file that cannot be read is reported by the core system and tried again when a video asks for it.
        if (Check(core->CreateSound(path, Mode::LoopOff | Mode::TwoD, &sound)) == studio::Result::Ok)
        {
            cinematicSounds.insert_or_assign(path, sound);
        }
    }
}

void Audio::PlayCinematicSound(const std::string& path, bool loop)
{
    if (!core)
    {
        return;
    }
    const std::string soundPath = CinematicSoundPath(path);
    auto found = cinematicSounds.find(soundPath);
    if (found == cinematicSounds.end())
    {
        if (!std::ifstream(soundPath, std::ios::binary).is_open())
        {
            Report(soundPath, "cannot open the cinematic sound; the video plays silent");
            return;
        }
        studio::Sound sound;
        if (Check(core->CreateSound(soundPath, loop ? Mode::LoopNormal : Mode::LoopOff | Mode::TwoD, &sound)) !=
            studio::Result::Ok)
        {
            return;
        }
        found = cinematicSounds.emplace(soundPath, sound).first;
    }
    Check(core->PlaySound(found->second, studio::ChannelGroup(), false, &cinematicChannel));
}

void Audio::StopCinematicChannel() { Check(cinematicChannel.Stop()); }

std::uint64_t Audio::FadeMusic(float seconds, float target)
{
    RefreshMusicChannel();
    return FadeChannel(musicChannel, seconds, target, dspClock, parentClock);
}

void Audio::RemoveMusicFadePoints(std::uint64_t from, std::uint64_t to)
{
    Check(musicChannel.RemoveFadePoints(from, to));
}

void Audio::FadeCinematic(float seconds, float target)
{
    std::uint64_t dsp = 0;
    std::uint64_t parent = 0;
    FadeChannel(cinematicChannel, seconds, target, dsp, parent);
}

std::uint64_t Audio::FadeChannel(studio::ChannelControl& channel, float seconds, float target, std::uint64_t& dsp,
                                 std::uint64_t& parent)
{
    // The end clock must stay countable: a negative or undefined length fades at once, an endless one is cut.
    float kept = seconds;
    if (!ClampSeconds(kept))
    {
        Report("", "fade length " + std::to_string(seconds) + " s is out of range; fading over " +
                       std::to_string(kept) + " s");
    }
    const auto length = static_cast<std::uint64_t>(std::trunc(static_cast<float>(sampleRate) * kept));
    Check(channel.GetDSPClock(&dsp, &parent));
    Check(channel.AddFadePoint(parent, musicVolume));
    Check(channel.AddFadePoint(parent + length, target));
    return parent + length;
}

void Audio::RefreshMusicChannel() { Check(FindBus(musicBus).GetChannelGroup(&musicChannel)); }

void Audio::RemoveAllFadePoints()
{
    constexpr std::uint64_t lastClock = std::numeric_limits<std::uint64_t>::max();
    Check(musicChannel.RemoveFadePoints(0, lastClock));
    Check(cinematicChannel.RemoveFadePoints(0, lastClock));
}

} // namespace kesto
