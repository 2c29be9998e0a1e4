#include "game/LevelExits.h"
#include "game/ReplayWorld.h"
#include "input/Replay.h"
#include "input/ReplayPlayer.h"
#include "levels/LevelManager.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

const fs::path replayFolder = fs::path(KESTO_TEST_DATA) / "replays";

std::vector<fs::path> CommittedRuns()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(replayFolder))
    {
        if (entry.path().extension() == ".txt")
        {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A run that flies, warps or jumps to another level with the developer keys proves nothing.
bool UsesDeveloperKeys(const Replay& run)
{
    for (const ReplaySpan& span : run.spans)
    {
        for (int code : span.input.down)
        {
            if (code >= GLFW_KEY_F2 && code <= GLFW_KEY_F6)
            {
                return true;
            }
        }
    }
    return false;
}

test::ReplayWorld::TapMaker Player(const Replay& run, const std::string& name)
{
    return [&run, name](SystemRegistry& registry) { return std::make_unique<ReplayPlayer>(registry, run, name); };
}

// Every committed run still reaches its level's exit: a level edit that breaks a jump fails here.
TEST(ReplayRuns, EveryCommittedRunStillReachesItsLevelsExit)
{
    const std::vector<fs::path> files = CommittedRuns();
    ASSERT_GE(files.size(), 2u);
    for (const fs::path& file : files)
    {
        SCOPED_TRACE(file.filename().string());
        const ReplayReadResult read = ReadReplayFile(file.string());
        ASSERT_TRUE(read.replay) << read.error;
        const Replay& run = *read.replay;
        EXPECT_FALSE(UsesDeveloperKeys(run));
        test::ReplayWorld world(run.start.level, Player(run, file.filename().string()));
        ReplayPlayer& player = world.TapAs<ReplayPlayer>();
        player.UseFrameClock();
        world.registry.RunFrame();
        ASSERT_TRUE(player.HasStarted() && !player.IsOver()) << world.trace->Text();
        const std::vector<std::string> exits = LevelExits(world.registry);
        ASSERT_FALSE(exits.empty()) << run.start.level << " has no exit";
        for (int frame = 0; !player.IsOver() && frame <= run.FrameCount(); ++frame)
        {
            world.registry.RunFrame();
        }
        const Vec2 at = world.PlayerPosition();
        EXPECT_TRUE(IsLeavingBy(world.registry, exits))
            << "the run ended with the player at (" << at.x << ", " << at.y << ") in \""
            << world.registry.GetSystem<LevelManager>()->currentLevel << "\", short of every exit";
    }
}

// Each level with an exit has a committed run through it.
TEST(ReplayRuns, EveryLevelWithAnExitHasARun)
{
    std::map<std::string, int> runs;
    for (const fs::path& file : CommittedRuns())
    {
        const ReplayReadResult read = ReadReplayFile(file.string());
        ASSERT_TRUE(read.replay) << file << ": " << read.error;
        ++runs[read.replay->start.level];
    }
    test::ReplayWorld world("", {});
    LevelManager& levels = *world.registry.GetSystem<LevelManager>();
    int withExits = 0;
    for (const std::string& level : levels.ListLevels(true))
    {
        levels.ChangeLevel(0.0f, 0.0f, level, 0.0f, ScreenTransition::Fade);
        world.registry.StepFrame(world.registry.lastTime + 1.0 / 60.0);
        ASSERT_EQ(levels.currentLevel, level);
        if (!LevelExits(world.registry).empty())
        {
            ++withExits;
            EXPECT_TRUE(runs.contains(level)) << "\"" << level << "\" has an exit but no run under " << replayFolder;
        }
    }
    EXPECT_GE(withExits, 2);
}

} // namespace
} // namespace kesto
