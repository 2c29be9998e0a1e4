#include "engine/Random.h"
#include "game/ReplayWorld.h"
#include "input/PCInputManager.h"
#include "input/Replay.h"
#include "input/ReplayPlayer.h"
#include "input/ReplayRecorder.h"
#include "levels/LevelManager.h"

#include <GLFW/glfw3.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <vector>

namespace kesto
{
namespace
{

using test::ReplayWorld;

constexpr const char* level = "Proving Grounds";

// A stretch of the scripted run: these keys held (and this pad reading) for this many frames.
struct Stretch
{
    int frames;
    std::set<int> keys;
    std::optional<gamepad::GamepadState> pad;
};

gamepad::GamepadState StickRight()
{
    gamepad::GamepadState state;
    state.thumbLX = 30000;
    return state;
}

// Runs, jumps, dashes along held keys, slows time, lets a pad take over and stops, on frames of uneven length with
// a stall among them: everything a run must repeat.
const std::vector<Stretch> script = {
    {20, {}, std::nullopt},
    {40, {GLFW_KEY_D}, std::nullopt},
    {12, {GLFW_KEY_D, GLFW_KEY_SPACE}, std::nullopt},
    {30, {GLFW_KEY_D}, std::nullopt},
    {3, {GLFW_KEY_D, GLFW_KEY_W, GLFW_KEY_X}, std::nullopt},
    {25, {GLFW_KEY_Z}, std::nullopt},
    {35, {}, StickRight()},
    {10, {GLFW_KEY_A, GLFW_KEY_SPACE}, gamepad::GamepadState{}},
    {30, {}, std::nullopt},
};

// Frame lengths a busy machine might give, a stall of 0.3 s among them.
double FrameLength(int frame)
{
    if (frame == 50)
    {
        return 0.3;
    }
    return 1.0 / 60.0 + 0.003 * (frame % 3) - 0.001 * (frame % 5);
}

std::unique_ptr<InputTap> Recorder(SystemRegistry& registry, const std::string& folder = "")
{
    auto recorder = std::make_unique<ReplayRecorder>(registry, folder);
    recorder->seedSource = [seed = 1234u]() mutable { return seed += 7919u; };
    return recorder;
}

// Plays `script` in a recording world; the player's position after every frame of the run.
std::vector<Vec2> Record(ReplayWorld& world)
{
    double now = 1.0;
    world.registry.StepFrame(now); // loads the level: the run starts
    std::vector<Vec2> positions;
    std::set<int> held;
    int frame = 0;
    for (const Stretch& stretch : script)
    {
        for (int key : held)
        {
            if (!stretch.keys.contains(key))
            {
                world.keyboardMouse.Release(key);
            }
        }
        for (int key : stretch.keys)
        {
            if (!held.contains(key))
            {
                world.keyboardMouse.Press(key);
            }
        }
        held = stretch.keys;
        world.pad.connected = stretch.pad.has_value();
        world.pad.state = stretch.pad.value_or(gamepad::GamepadState{});
        for (int i = 0; i < stretch.frames; ++i)
        {
            world.registry.StepFrame(now += FrameLength(frame++));
            positions.push_back(world.PlayerPosition());
        }
    }
    return positions;
}

// Plays `run` back in a fresh world; the player's position after every frame of it.
std::vector<Vec2> PlayBack(const Replay& run, float& drawAfter)
{
    ReplayWorld world(run.start.level,
                      [&](SystemRegistry& registry) { return std::make_unique<ReplayPlayer>(registry, run, "run"); });
    ReplayPlayer& player = world.TapAs<ReplayPlayer>();
    player.UseFrameClock();
    world.registry.RunFrame(); // loads the level
    EXPECT_TRUE(player.HasStarted());
    std::vector<Vec2> positions;
    while (!player.IsOver() && positions.size() <= static_cast<std::size_t>(run.FrameCount()))
    {
        world.registry.RunFrame();
        positions.push_back(world.PlayerPosition());
    }
    drawAfter = world.registry.GetSystem<Random>()->RandomFloat(0.0f, 1.0f);
    EXPECT_NE(world.trace->Text().find("REPLAY: run: played " + std::to_string(run.FrameCount()) + " frames"),
              std::string::npos)
        << world.trace->Text();
    return positions;
}

TEST(ReplayPlayback, ARecordedRunPlaysBackFrameForFrameEveryTime)
{
    ReplayWorld recording(level, [](SystemRegistry& registry) { return Recorder(registry); });
    const std::vector<Vec2> recorded = Record(recording);
    const float drawAfter = recording.registry.GetSystem<Random>()->RandomFloat(0.0f, 1.0f);
    const Replay& run = recording.TapAs<ReplayRecorder>().Run();
    ASSERT_EQ(run.FrameCount(), static_cast<int>(recorded.size()));
    EXPECT_EQ(run.start.level, level);
    // The run really went somewhere: right, up and back.
    ASSERT_GT(recorded.back().x - recorded.front().x, 300.0f);

    // Through its text, as a file carries it.
    const ReplayReadResult read = ReadReplayText(WriteReplayText(run));
    ASSERT_TRUE(read.replay) << read.error;
    for (int pass = 0; pass < 2; ++pass)
    {
        float playedDraw = -1.0f;
        const std::vector<Vec2> played = PlayBack(*read.replay, playedDraw);
        ASSERT_EQ(played.size(), recorded.size()) << "pass " << pass;
        for (std::size_t frame = 0; frame < recorded.size(); ++frame)
        {
            ASSERT_EQ(played[frame], recorded[frame]) << "pass " << pass << ", frame " << frame;
        }
        // Both random sources were seeded alike and drawn from alike.
        EXPECT_EQ(playedDraw, drawAfter) << "pass " << pass;
    }
}

TEST(ReplayPlayback, F8WritesTheRunSoFarAndSaysWhere)
{
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "kesto-replays-f9";
    std::filesystem::remove_all(folder);
    ReplayWorld world(level, [&](SystemRegistry& registry) { return Recorder(registry, folder.string()); });
    double now = 1.0;
    world.registry.StepFrame(now);
    world.keyboardMouse.Press(GLFW_KEY_D);
    for (int i = 0; i < 30; ++i)
    {
        world.registry.StepFrame(now += 1.0 / 60.0);
    }
    ASSERT_EQ(world.TapAs<ReplayRecorder>().Run().FrameCount(), 30);
    world.keyboardMouse.Tap(ReplayRecorder::saveKey);
    world.registry.StepFrame(now += 1.0 / 60.0);
    world.registry.StepFrame(now += 1.0 / 60.0); // held through a second pump: still one file

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    const std::string log = world.trace->Text();
    EXPECT_NE(log.find("REPLAY: " + files[0].string() + ": wrote the run in \"Proving Grounds\" (31 frames)"),
              std::string::npos)
        << log;
    const ReplayReadResult read = ReadReplayFile(files[0].string());
    ASSERT_TRUE(read.replay) << read.error;
    EXPECT_EQ(read.replay->FrameCount(), 31);
    EXPECT_EQ(read.replay->spans.back().input.down, std::vector<int>{GLFW_KEY_D});
    std::filesystem::remove_all(folder);
}

TEST(ReplayPlayback, ARunOfAnotherLevelIsReportedOnceAndTheDevicesStayLive)
{
    Replay run;
    run.start.level = level;
    run.AddFrame(1.0f / 60.0f, ReplayInput{{GLFW_KEY_D}, {}, std::nullopt});
    ReplayWorld world("Proving Grounds Annex", [&](SystemRegistry& registry)
                      { return std::make_unique<ReplayPlayer>(registry, run, "run.txt"); });
    world.TapAs<ReplayPlayer>().UseFrameClock();
    world.registry.RunFrame();
    world.keyboardMouse.Press(GLFW_KEY_A);
    world.registry.RunFrame();
    world.registry.RunFrame();
    EXPECT_TRUE(world.TapAs<ReplayPlayer>().IsOver());
    EXPECT_EQ(world.registry.GetSystem<LevelManager>()->currentLevel, "Proving Grounds Annex");
    const std::string log = world.trace->Text();
    const std::string report = "REPLAY: run.txt: the run begins in \"Proving Grounds\" but the game loaded "
                               "\"Proving Grounds Annex\"; nothing is played\n";
    EXPECT_NE(log.find(report), std::string::npos) << log;
    EXPECT_EQ(log.find("REPLAY:"), log.rfind("REPLAY:")) << log;
    EXPECT_TRUE(world.registry.GetSystem<PCInputManager>()->IsKeyDown(GLFW_KEY_A));
    EXPECT_FALSE(world.registry.GetSystem<PCInputManager>()->IsKeyDown(GLFW_KEY_D));
}

} // namespace
} // namespace kesto
