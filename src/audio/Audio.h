#pragma once

#include "ecs/ESystem.h"

#include <cstdint>

namespace kesto
{

// How playing events stop: letting their fade-out play, or at once.
enum class AudioStopMode : std::uint8_t
{
    AllowFadeOut,
    Immediate,
};

// Plays sound events and owns the audio library.
class Audio : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}

    // The duties the level manager performs on a level change. Silent until the audio library is wired in.
    // Stops every event on the music bus, then the bus itself.
    void StopMusic(AudioStopMode) {}
    // Stops every event, then the master bus.
    void StopAllSounds() {}
    // Stops the channel of the last cinematic sound track.
    void StopCinematicChannel() {}
    // Sets every global parameter of the project to 0.
    void ResetGlobalParameters() {}
    // Releases every event instance and forgets them.
    void ReleaseAllInstances() {}
    // Fades the music bus from the music volume now to a volume over some seconds.
    void FadeMusic(float, float) {}
    // The same fade on the cinematic sound track.
    void FadeCinematic(float, float) {}
    // Takes the music bus's channel group again.
    void RefreshMusicChannel() {}
    // Cancels every fade on the music bus and the cinematic channel.
    void RemoveAllFadePoints() {}
};

} // namespace kesto
