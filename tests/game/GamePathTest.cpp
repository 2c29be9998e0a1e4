#include "game/LevelExits.h"
#include "game/ReplayWorld.h"
#include "levels/LevelManager.h"
#include "ui/CutsceneSystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

// The player's path through the game, from the intro's first stage to the ending: each stage can be paused and its
// only way out leads to the next, so a renamed level or a gate pointing elsewhere breaks the game here.
TEST(GamePath, EachStageLeadsToTheNextFromTheTutorialToTheEnding)
{
    const std::vector<std::string> path = {CutsceneSystem::firstStage,
                                           "1. Outskirts",
                                           "2. Quarry",
                                           "3. The Shaft",
                                           "4. Old Forest",
                                           "5. Power Station",
                                           "8. Lab Breakout (The End)",
                                           "Lab Breakout (The End Part 2)",
                                           CutsceneSystem::endingLevel};
    test::ReplayWorld world("", {});
    LevelManager& levels = *world.registry.GetSystem<LevelManager>();
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
    {
        levels.ChangeLevel(0.0f, 0.0f, path[i], 0.0f, ScreenTransition::Fade);
        world.registry.StepFrame(world.registry.lastTime + 1.0 / 60.0);
        ASSERT_EQ(levels.currentLevel, path[i]);
        EXPECT_TRUE(levels.canPause) << path[i];
        EXPECT_EQ(LevelExits(world.registry), std::vector<std::string>{path[i + 1]}) << path[i];
    }
}

} // namespace
} // namespace kesto
