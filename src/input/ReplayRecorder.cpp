#include "input/ReplayRecorder.h"

#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "input/KeyboardMouseCodes.h"
#include "input/ReplayStartState.h"
#include "levels/LevelManager.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <random>
#include <utility>

namespace kesto
{

namespace
{

namespace fs = std::filesystem;

// "replay-YYYYMMDD-HHMMSS" from the wall clock, so a player's files sort by when they were made.
std::string StampedName()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "replay-%Y%m%d-%H%M%S", &local);
    return stamp;
}

} // namespace

ReplayRecorder::ReplayRecorder(SystemRegistry& owner, std::string replayFolder)
    : seedSource([] { return std::random_device{}(); }), registry(owner), folder(std::move(replayFolder))
{
}

void ReplayRecorder::Attached(const SystemRegistry& attached)
{
    attached.GetSystem<LevelManager>()->beforeLoad = [this](const std::string& level) { BeginRun(level); };
}

void ReplayRecorder::BeginRun(const std::string& level)
{
    run = Replay{};
    run.start.level = level;
    run.start.randomSeed = seedSource();
    run.start.randSeed = seedSource();
    // Seeded before the level's entities are made, so whatever they draw is part of the run.
    SeedRandomSources(registry, run.start.randomSeed, run.start.randSeed);
    recording = false;
    starting = true;
}

ReplayInput ReplayRecorder::ReadKeyboardMouse() const
{
    ReplayInput input;
    ForEachKeyboardMouseCode(
        [&](int code)
        {
            if (liveKeyboardMouse->IsDown(code))
            {
                input.down.push_back(code);
            }
        });
    input.cursor = liveKeyboardMouse->GetCursor();
    return input;
}

gamepad::GamepadResult ReplayRecorder::GetState(gamepad::GamepadState& state)
{
    const gamepad::GamepadResult result = livePad->GetState(state);
    pad.reset();
    if (result == gamepad::GamepadResult::Success)
    {
        pad = state;
        pad->packetNumber = 0;
    }
    return result;
}

void ReplayRecorder::PollEvents()
{
    // What the devices said during this frame: the keyboard and mouse since the last pump, the pad as polled.
    ReplayInput frame = ReadKeyboardMouse();
    frame.pad = pad;
    if (starting)
    {
        // The frame that loaded the level is where the run's first frame starts from.
        run.start.input = frame;
        run.start.screen = liveKeyboardMouse->GetFramebufferSize();
        CaptureStartState(registry, run.start);
        starting = false;
        recording = true;
    }
    else if (recording)
    {
        run.AddFrame(registry.rawDt, frame);
    }
    liveKeyboardMouse->PollEvents();
    if (!std::binary_search(frame.down.begin(), frame.down.end(), saveKey) && liveKeyboardMouse->IsDown(saveKey))
    {
        Save();
    }
}

std::string ReplayRecorder::Save()
{
    Trace* trace = registry.GetSystem<Trace>();
    if (folder.empty())
    {
        return {};
    }
    if (!recording)
    {
        trace->Report("REPLAY", folder, "no run to write yet: a run starts when a level has loaded");
        return {};
    }
    std::error_code error;
    fs::create_directories(folder, error);
    const std::string stem = (fs::path(folder) / StampedName()).string();
    std::string path = stem + ".txt";
    for (int n = 2; fs::exists(path, error); ++n)
    {
        path = stem + "-" + std::to_string(n) + ".txt";
    }
    std::string why;
    if (!WriteReplayFile(path, run, why))
    {
        trace->Report("REPLAY", path, why + "; the run was not saved");
        return {};
    }
    trace->Report("REPLAY", path,
                  "wrote the run in \"" + run.start.level + "\" (" + std::to_string(run.FrameCount()) +
                      " frames); play it with kesto --replay FILE");
    return path;
}

} // namespace kesto
