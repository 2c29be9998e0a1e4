#pragma once

#include "engine/SystemRegistry.h"
#include "input/InputTap.h"
#include "input/Replay.h"

#include <cstddef>
#include <string>

namespace kesto
{

// Plays a recorded run back through the input seam. The engine must start in the run's level: as it loads, both
// random sources get the run's seeds; from the frame after, every frame gets the run's step (through the frame
// clock) and what its keyboard, mouse and pad said, so the run repeats frame for frame. Once the run is over (or when
// the engine loads another level first, which is reported), the real devices and clock take over.
class ReplayPlayer : public InputTap
{
public:
    // `name` names the run in reports (its file).
    ReplayPlayer(SystemRegistry& registry, Replay replay, std::string name);

    // Puts the run's clock in place of the registry's; after InitAll, as the window sets its own clock at Init.
    void UseFrameClock();

    bool HasStarted() const { return phase != Phase::Waiting; }
    bool IsOver() const { return phase == Phase::Over; }
    int FramesPlayed() const { return played; }
    const Replay& Run() const { return replay; }

protected:
    void Attached(const SystemRegistry& registry) override;
    bool IsDown(int code) const override;
    CursorPixels GetCursor() const override;
    void PollEvents() override;
    gamepad::GamepadResult GetState(gamepad::GamepadState& state) override;

private:
    enum class Phase
    {
        Waiting,  // before the run's level has loaded: the devices read as in the frame that loaded it
        Starting, // the level loaded in this frame
        Playing,
        Over,
    };

    void LevelLoading(const std::string& level);
    double Now();
    // The input of the frame being played (or, before the run, of the frame that loaded its level).
    const ReplayInput& Input() const;
    void Finish();

    SystemRegistry& registry;
    Replay replay;
    std::string name;
    Phase phase = Phase::Waiting;
    std::size_t span = 0; // the frame being played: the `inSpan`-th of spans[span]
    int inSpan = 0;
    int played = 0;
    double replayNow = 1.0; // any non-zero reading: the frame loop takes 0 for "no previous frame"
    SystemRegistry::FrameClock liveClock;
    double liveAtOver = 0.0;
};

} // namespace kesto
