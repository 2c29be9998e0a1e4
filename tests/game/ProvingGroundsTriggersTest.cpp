#include "audio/Audio.h"
#include "ecs/Transform.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Sprite.h"
#include "levels/LevelManager.h"
#include "physics/Rigidbody.h"
#include "support/GameLevels.h"
#include "ui/TimerSystem.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using test::GameLevels;
using test::ReportsBeyondArt;

// The names of the level's skeletons that are posed and animating.
std::vector<std::string> AnimatingSkeletons(GameLevels& game)
{
    std::vector<std::string> names;
    for (const Entity& entity : game.levels->levelEntities[0])
    {
        const auto* sprite = game.world.Store().GetComponent<Sprite>(entity);
        if (sprite && sprite->usingSpine)
        {
            // Headless, nothing draws, so the skeleton is advanced here as the renderer would.
            SpineInstance spine = sprite->spine;
            spine.Advance(0.0f);
            spine.Advance(0.25f);
            const spine::TrackEntry* current = spine.HasSkeleton() ? spine.state->GetCurrent(0) : nullptr;
            names.push_back(spine.Name() + (current && current->animation->name == "animation" ? "" : " (still)"));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProvingGroundsTriggers, TheLevelsReadWithoutAReport)
{
    GameLevels game;
    ASSERT_EQ(game.levels->currentLevel, "Proving Grounds");
    EXPECT_EQ(AnimatingSkeletons(game), (std::vector<std::string>{"Banner", "Lamp"}));
    game.levels->ChangeLevel(0.0f, 0.0f, "Proving Grounds Annex", 0.0f, ScreenTransition::Fade);
    game.Play(0.1f);
    ASSERT_EQ(game.levels->currentLevel, "Proving Grounds Annex");
    EXPECT_EQ(AnimatingSkeletons(game), (std::vector<std::string>{"Banner", "Lamp"}));
    EXPECT_EQ(ReportsBeyondArt(*game.world.trace), "");
}

TEST(ProvingGroundsTriggers, ThePlayerWalkingIntoTheDashPitDiesAndRespawnsAtTheStart)
{
    GameLevels game;
    const Vec2 start = game.PlayerPosition();
    // On the ground left of the pit, running right into it.
    game.PlaceAt({5150.0f, 96.0f});
    game.world.keyboardMouse->Press(GLFW_KEY_RIGHT);
    game.Play(4.0f, [&] { return game.InState(PlayerState::Dead); });
    ASSERT_TRUE(game.InState(PlayerState::Dead))
        << "still alive at " << game.PlayerPosition().x << ", " << game.PlayerPosition().y;
    EXPECT_LT(game.PlayerPosition().y, -150.0f) << "died above the pit";
    game.world.keyboardMouse->Release(GLFW_KEY_RIGHT);
    game.Play(3.0f, [&] { return game.InState(PlayerState::Normal); });
    ASSERT_TRUE(game.InState(PlayerState::Normal));
    EXPECT_NEAR(game.PlayerPosition().x, start.x, 1.0f);
    EXPECT_NEAR(game.PlayerPosition().y, start.y, 1.0f);
}

TEST(ProvingGroundsTriggers, TheRunIsTimedFromTheStartThroughEachExitToTheEnding)
{
    GameLevels game;
    TimerSystem& timer = *game.world.registry.GetSystem<TimerSystem>();
    // A run left over from before starts again at the first step right.
    timer.time = 99.0f;
    timer.splits = {50.0f};
    EXPECT_FALSE(timer.running) << "the timer waits for the player to move";
    game.PlaceAt({160.0f, 96.0f});
    game.Play(0.1f);
    ASSERT_TRUE(timer.running);
    EXPECT_LT(timer.time, 0.2f);
    EXPECT_TRUE(timer.splits.empty());

    struct Exit
    {
        const char* next;
        std::size_t splits;
        bool running;
    };
    for (const Exit& exit : {Exit{"Proving Grounds Annex", 1, true}, Exit{"EndingCinematic", 2, false}})
    {
        const std::string from = game.levels->currentLevel;
        bool placed = false;
        for (const Entity& entity : game.levels->levelEntities[0])
        {
            if (entity.name == "ExitGate")
            {
                game.PlaceAt(game.world.Store().GetComponent<Transform>(entity)->GetTranslation());
                placed = true;
            }
        }
        ASSERT_TRUE(placed) << from << " has no exit gate";
        game.Play(0.1f);
        EXPECT_EQ(game.levels->nextLevel, exit.next) << "from " << from;
        EXPECT_EQ(game.levels->currentLevel, from) << "the level changed without a fade";
        EXPECT_EQ(timer.splits.size(), exit.splits) << "from " << from;
        EXPECT_EQ(timer.running, exit.running) << "from " << from;
        game.Play(3.0f, [&] { return game.levels->currentLevel == exit.next; });
        EXPECT_EQ(game.levels->currentLevel, exit.next);
        game.Play(1.0f);
    }
    EXPECT_LT(timer.splits[0], timer.splits[1]);
    EXPECT_EQ(timer.time, timer.splits[1]) << "stopped at the last split";
}

TEST(ProvingGroundsTriggers, TutorialPromptsZoomAndThePortalGuideThePlayer)
{
    GameLevels game;
    // The player starts inside the "Move" tutorial.
    ASSERT_TRUE(game.Behavior().tutorialPrompt.IsValid());
    EXPECT_EQ(game.Behavior().tutorialPrompt.name, "TutorialMove");
    EXPECT_EQ(game.Behavior().tutorialStep, 0);

    struct Stop
    {
        const char* what;
        Vec2 at;
        std::function<bool(GameLevels&)> check;
    };
    const std::vector<Stop> stops = {
        {"the jump prompt before the first dip",
         {950.0f, 96.0f},
         [](GameLevels& g) { return g.Behavior().tutorialPrompt.name == "TutorialJump"; }},
        {"the dash prompt before the dash pit",
         {4950.0f, 96.0f},
         [](GameLevels& g) { return g.Behavior().tutorialPrompt.name == "TutorialDash"; }},
        {"the camera widens over the dash pit",
         {5100.0f, 96.0f},
         [](GameLevels& g) { return g.Behavior().zoomScalar > 1.2f; }},
        {"the camera comes back past the pit",
         {6650.0f, 96.0f},
         [](GameLevels& g) { return g.Behavior().zoomScalar == 1.0f; }},
        {"the slow-motion prompt after the pit",
         {6250.0f, 96.0f},
         [](GameLevels& g) { return g.Behavior().tutorialPrompt.name == "TutorialSlowMo"; }},
        // Last: the player falls from there into the pit.
        {"the portal gives back jump and dash",
         {5675.0f, 560.0f},
         [](GameLevels& g) { return g.Behavior().canDash && g.Behavior().canJump; }},
    };
    for (const Stop& stop : stops)
    {
        SCOPED_TRACE(stop.what);
        game.Behavior().canDash = false;
        game.Behavior().canJump = false;
        game.PlaceAt(stop.at);
        game.Play(0.05f);
        EXPECT_TRUE(stop.check(game));
        game.Play(0.5f);
    }
}

TEST(ProvingGroundsTriggers, WalkingOffTheCrystalLedgePlaysTheHookFallAndGivesControlBack)
{
    GameLevels game;
    Entity ledge = Entity::None();
    for (const Entity& entity : game.levels->levelEntities[0])
    {
        const auto* transform = game.world.Store().GetComponent<Transform>(entity);
        if (entity.name == "LedgeBlock" && transform->GetTranslation().x == 6700.0f)
        {
            ledge = entity;
        }
    }
    ASSERT_TRUE(ledge.IsValid());
    const auto* top = game.world.Store().GetComponent<Transform>(ledge);
    const float ledgeTop = top->GetTranslation().y + top->GetScale().y * 0.5f;
    game.PlaceAt({6850.0f, ledgeTop + 96.0f});
    game.Play(0.3f);
    // Right is held until the fall begins: the exit lies further on.
    game.world.keyboardMouse->Press(GLFW_KEY_RIGHT);
    std::vector<int> states;
    game.Play(4.0f,
              [&]
              {
                  const int state = game.Behavior().stateMachine.activeState;
                  if (states.empty() || states.back() != state)
                  {
                      states.push_back(state);
                  }
                  if (state != static_cast<int>(PlayerState::Normal))
                  {
                      game.world.keyboardMouse->Release(GLFW_KEY_RIGHT);
                  }
                  return false;
              });
    const std::vector<int> expected = {0, 4, 5, 6, 0};
    EXPECT_EQ(states, expected);
    EXPECT_LT(game.PlayerPosition().y, 100.0f) << "the fall ended above the ground";
}

} // namespace
} // namespace kesto
