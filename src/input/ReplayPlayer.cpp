#include "input/ReplayPlayer.h"

#include "engine/Trace.h"
#include "input/ReplayStartState.h"
#include "levels/LevelManager.h"

#include <algorithm>
#include <utility>

namespace kesto
{

ReplayPlayer::ReplayPlayer(SystemRegistry& owner, Replay run, std::string runName)
    : registry(owner), replay(std::move(run)), name(std::move(runName))
{
}

void ReplayPlayer::UseFrameClock()
{
    liveClock = registry.GetFrameClock();
    registry.SetFrameClock([this] { return Now(); });
}

void ReplayPlayer::Attached(const SystemRegistry& attached)
{
    attached.GetSystem<LevelManager>()->beforeLoad = [this](const std::string& level) { LevelLoading(level); };
}

void ReplayPlayer::LevelLoading(const std::string& level)
{
    if (phase != Phase::Waiting)
    {
        return;
    }
    if (level != replay.start.level)
    {
        registry.GetSystem<Trace>()->Report("REPLAY", name,
                                            "the run begins in \"" + replay.start.level + "\" but the game loaded \"" +
                                                level + "\"; nothing is played");
        Finish();
        return;
    }
    SeedRandomSources(registry, replay.start.randomSeed, replay.start.randSeed);
    phase = Phase::Starting;
}

double ReplayPlayer::Now()
{
    if (phase == Phase::Over)
    {
        return liveClock ? replayNow + (liveClock() - liveAtOver) : replayNow;
    }
    if (phase == Phase::Playing)
    {
        replayNow += static_cast<double>(replay.spans[span].step);
    }
    return replayNow;
}

const ReplayInput& ReplayPlayer::Input() const
{
    return phase == Phase::Playing ? replay.spans[span].input : replay.start.input;
}

bool ReplayPlayer::IsDown(int code) const
{
    if (phase == Phase::Over)
    {
        return liveKeyboardMouse->IsDown(code);
    }
    const std::vector<int>& down = Input().down;
    return std::binary_search(down.begin(), down.end(), code);
}

CursorPixels ReplayPlayer::GetCursor() const
{
    if (phase == Phase::Over)
    {
        return liveKeyboardMouse->GetCursor();
    }
    CursorPixels cursor = Input().cursor;
    // The same place on a window of another size; the aspect must match for the same place in the world.
    const FramebufferSize live = liveKeyboardMouse->GetFramebufferSize();
    const FramebufferSize recorded = replay.start.screen;
    if (live.width > 0 && live.height > 0 && recorded.width > 0 && recorded.height > 0)
    {
        cursor.x *= static_cast<double>(live.width) / recorded.width;
        cursor.y *= static_cast<double>(live.height) / recorded.height;
    }
    return cursor;
}

gamepad::GamepadResult ReplayPlayer::GetState(gamepad::GamepadState& state)
{
    if (phase == Phase::Over)
    {
        return livePad->GetState(state);
    }
    const ReplayInput& input = Input();
    state = input.pad.value_or(gamepad::GamepadState{});
    // A reading that changes carries a new packet number, as a pad's does.
    state.packetNumber = static_cast<std::uint32_t>(played);
    return input.pad ? gamepad::GamepadResult::Success : gamepad::GamepadResult::DeviceNotConnected;
}

void ReplayPlayer::PollEvents()
{
    // The window's own events (a close request) still arrive while the run plays.
    liveKeyboardMouse->PollEvents();
    if (phase == Phase::Starting)
    {
        RestoreStartState(registry, replay.start);
        phase = Phase::Playing;
        span = 0;
        inSpan = 0;
        if (replay.spans.empty())
        {
            Finish();
        }
        return;
    }
    if (phase != Phase::Playing)
    {
        return;
    }
    ++played;
    if (++inSpan == replay.spans[span].count)
    {
        inSpan = 0;
        ++span;
    }
    if (span == replay.spans.size())
    {
        registry.GetSystem<Trace>()->Report(
            "REPLAY", name, "played " + std::to_string(played) + " frames; the keyboard, mouse and pad are live again");
        Finish();
    }
}

void ReplayPlayer::Finish()
{
    phase = Phase::Over;
    liveAtOver = liveClock ? liveClock() : 0.0;
}

} // namespace kesto
