#pragma once

#include "engine/ISystem.h"

#include <string>

namespace kesto
{

class Sprite;

// Runs the splash level "ArcwellLogo" (the logos fading in and out while the textures load, a loading figure when
// the player skips before loading is done, then the main menu) and ends the two cinematic levels when their video
// ends or the player skips it. Every duration is counted in raw frame time, so pausing or slowing time does not
// hold the splash.
class CutsceneSystem : public ISystem
{
public:
    static constexpr const char* splashLevel = "ArcwellLogo";
    static constexpr const char* introLevel = "IntroCinematic";
    static constexpr const char* endingLevel = "EndingCinematic";
    // Where the intro leads and the ending leads.
    static constexpr const char* firstStage = "0. Containment (Tutorial)";
    static constexpr const char* congratsLevel = "8.Congrats";
    // The splash moves on by itself after this long, once loading allows.
    static constexpr float splashLength = 9.0f; // seconds
    // The ending cannot be skipped in its first seconds, so a key still held from the last stage does not skip it.
    static constexpr float endingSkipDelay = 2.0f; // seconds of video

    void Init() override {}
    void Update(float dt) override;

    float splashTime = 0.0f; // seconds the splash level has shown; 0 on any other level
    bool skipRequested = false;

private:
    void RunSplash(bool skip);
    // The splash images' opacities at splashTime; the loading text pulses while it shows.
    void FadeLogos(Sprite* audioCredit, Sprite* studioLogo, Sprite* copyright, Sprite* loading) const;
    // Moves on to `next` when the level's video has ended, or on a skip once more than `minimumPlayed` seconds of it
    // have played (any time for 0).
    void EndCinematic(bool skip, float minimumPlayed, const std::string& next, float fadeInLength);
};

} // namespace kesto
