#pragma once

#include "engine/ISystem.h"
#include "engine/Vector.h"

namespace kesto
{

// Scrolls the credits, then goes back: on the level "Credit" the camera glides down the credits and the main menu
// follows; in the sublevel "Credit-Sub" (opened from the pause menu) the entities named "CreditButton" rise up the
// screen and the pause menu comes back. A skip (see IsSkipPressed) leaves the credits level at once. Delays count in
// raw frame time, since the sublevel runs while the game is paused.
class CreditSystem : public ISystem
{
public:
    static constexpr const char* creditLevel = "Credit";
    static constexpr const char* creditSublevel = "Credit-Sub";
    static constexpr const char* scrolledName = "CreditButton";
    static constexpr float startDelayLength = 2.0f; // seconds before scrolling
    static constexpr float endDelayLength = 3.0f;   // seconds after scrolling
    static constexpr float scrollLength = 25.0f;    // seconds of scrolling
    static constexpr float sublevelSpeed = 0.48f;   // screen units a second

    void Init() override {}
    void Update(float dt) override;

    float startDelay = startDelayLength; // seconds left
    float endDelay = endDelayLength;     // seconds left
    bool active = false;                 // the credits level is running
    bool scrolling = false;              // the camera's glide has begun
    bool subArmed = false;               // the sublevel's run has been set up
    Vec2 target{0.0f, -9600.0f};         // world units; where the camera's glide ends
    float subTime = 0.0f;                // seconds scrolled in the sublevel

private:
    void RunCreditLevel(bool editorMode);
    void LeaveCreditLevel();
    void RunCreditSublevel();
    void ResetDelays();
};

} // namespace kesto
