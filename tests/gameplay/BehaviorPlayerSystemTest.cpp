#include "gameplay/PlayerWorld.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class PlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        floor = w.SpawnFloor();
        player = w.SpawnPlayer();
        w.Step(); // first frame: enters Normal and settles on the floor
        w.Step();
    }

    BehaviorPlayer& Player() { return w.Get<BehaviorPlayer>(player); }
    Rigidbody& Body() { return w.Get<Rigidbody>(player); }
    bool Grounded() { return w.Get<Collider>(player).IsTouching(ContactSide::Ground); }

    test::PlayerWorld w;
    Entity floor;
    Entity player;
};

TEST_F(PlayerTest, AccelerationReachesTheRunSpeedExactlyAndStaysThere)
{
    ASSERT_TRUE(Grounded());
    w.Press(GLFW_KEY_D);
    std::vector<float> speeds;
    for (int i = 0; i < 12; ++i)
    {
        w.Step();
        speeds.push_back(Body().velocity.x);
    }
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_NEAR(speeds[static_cast<std::size_t>(i)], 20.0f * static_cast<float>(i + 1), 1e-3f) << i;
    }
    // The step that would reach 200 is not refused (whether it lands on 200 depends on the step's length).
    EXPECT_NEAR(speeds[9], 200.0f, 1e-3f);
    EXPECT_NEAR(speeds[11], 200.0f, 1e-3f);
    EXPECT_FALSE(w.Get<Sprite>(player).flippedX);
}

TEST_F(PlayerTest, RunningLeftFacesLeftAndShowsTheRunSheet)
{
    w.Press(GLFW_KEY_LEFT);
    w.Step();
    EXPECT_LT(Body().velocity.x, 0.0f);
    EXPECT_TRUE(w.Get<Sprite>(player).flippedX);
    EXPECT_EQ(w.Sheet(player), "RuskRunV3");
}

TEST_F(PlayerTest, HoldingBothDirectionsDoesNotRun)
{
    w.Press(GLFW_KEY_A);
    w.Press(GLFW_KEY_D);
    w.Step();
    EXPECT_EQ(Body().velocity.x, 0.0f);
}

TEST_F(PlayerTest, AboveRunSpeedOnTheGroundBrakesDownToIt)
{
    w.Press(GLFW_KEY_D);
    Body().velocity.x = 400.0f;
    std::vector<float> speeds;
    for (int i = 0; i < 20; ++i)
    {
        w.Step();
        speeds.push_back(Body().velocity.x);
    }
    EXPECT_NEAR(speeds[0], 400.0f - 1000.0f * test::PlayerWorld::frame, 1e-2f);
    EXPECT_LE(speeds.back(), 200.0f);
    EXPECT_GT(speeds.back(), 180.0f);
}

TEST_F(PlayerTest, InTheAirHoldingTheDirectionKeepsAnySpeed)
{
    w.Store().DestroyEntity(floor);
    w.Get<Gravity>(player).amount = 0.0f;
    w.Step(); // the contact flags of the last pass on the floor clear
    w.Press(GLFW_KEY_D);
    Body().velocity.x = 400.0f;
    for (int i = 0; i < 10; ++i)
    {
        w.Step();
    }
    EXPECT_EQ(Body().velocity.x, 400.0f);
}

TEST_F(PlayerTest, ReleasingTheDirectionBrakesToAStopWithoutReversing)
{
    Body().velocity.x = 30.0f;
    w.Step();
    EXPECT_NEAR(Body().velocity.x, 30.0f - 1000.0f * test::PlayerWorld::frame, 1e-3f);
    w.Step();
    EXPECT_EQ(Body().velocity.x, 0.0f);
}

TEST_F(PlayerTest, JumpGivesTheJumpSpeedOnceUntilLanding)
{
    w.Press(GLFW_KEY_SPACE);
    w.Step();
    // 500 up, less one frame of gravity at the scale of the held button (not the one the ground left).
    EXPECT_NEAR(Body().velocity.y, 500.0f - 1000.0f * test::PlayerWorld::frame, 1e-3f);
    EXPECT_FALSE(Player().canJump);
    EXPECT_EQ(w.Sheet(player), "RuskJumpV3");
    ASSERT_EQ(w.Get<SoundEmitter>(player).soundQueue.size(), 1u);
    EXPECT_EQ(w.Get<SoundEmitter>(player).soundQueue[0].eventPath, "event:/SFX/Player/Jump");
    w.Release(GLFW_KEY_SPACE);
    w.Press(GLFW_KEY_SPACE);
    w.Step();
    EXPECT_LT(Body().velocity.y, 500.0f - 1000.0f * test::PlayerWorld::frame); // no second jump in the air
}

TEST_F(PlayerTest, GravityScaleFollowsTheJumpButtonAndTheFall)
{
    w.Press(GLFW_KEY_SPACE);
    w.Step();
    w.Step();
    EXPECT_EQ(w.Get<Gravity>(player).scale, 1.0f);
    w.Release(GLFW_KEY_SPACE);
    w.Step();
    EXPECT_EQ(w.Get<Gravity>(player).scale, 1.5f);
    Body().velocity.y = -10.0f;
    w.Press(GLFW_KEY_SPACE);
    w.Step();
    EXPECT_EQ(w.Get<Gravity>(player).scale, 1.5f); // falling: the fall scale, held or not
}

TEST_F(PlayerTest, TerminalVelocityCapsTheFall)
{
    w.Store().DestroyEntity(floor);
    Body().velocity.y = -5000.0f;
    w.Step();
    EXPECT_GE(Body().velocity.y, -2000.0f - 1000.0f * 1.5f * test::PlayerWorld::frame);
}

// Drops the player onto the floor at 600 units/s (10 units a frame) with no gravity, pressing Jump in the first
// frame, so that the controller first sees the ground `frames` frames after the press. Returns whether it jumped.
bool JumpsWhenTheGroundIsSeenFramesAfterThePress(int frames)
{
    const float height = 10.0f * static_cast<float>(frames - 1);
    test::PlayerWorld w;
    w.SpawnFloor();
    const Entity player = w.SpawnPlayer(0.0f);
    w.Step();
    w.Get<Transform>(player).SetTranslation({0.0f, 50.0f + height});
    w.Get<BehaviorPlayer>(player).canJump = false;
    w.Get<Rigidbody>(player).velocity.y = -600.0f;
    w.Press(GLFW_KEY_SPACE);
    for (int i = 0; i < 12; ++i)
    {
        w.Step();
        if (w.Get<Rigidbody>(player).velocity.y > 0.0f)
        {
            return true;
        }
    }
    return false;
}

TEST(PlayerJumpBuffer, APressShortlyBeforeLandingStillJumps)
{
    EXPECT_TRUE(JumpsWhenTheGroundIsSeenFramesAfterThePress(3));  // 0.05 s
    EXPECT_FALSE(JumpsWhenTheGroundIsSeenFramesAfterThePress(6)); // 0.1 s
}

TEST_F(PlayerTest, AStepOfZeroChangesNothing)
{
    Body().velocity = {50.0f, 0.0f};
    Player().jumpBuffer = 0.03f;
    Player().dashResetCooldown = 1.0f;
    w.Press(GLFW_KEY_D);
    w.Run<BehaviorPlayerSystem>(0.0f);
    EXPECT_EQ(Body().velocity.x, 50.0f);
    EXPECT_EQ(Player().jumpBuffer, 0.03f);
    EXPECT_EQ(Player().dashResetCooldown, 1.0f);
}

TEST_F(PlayerTest, EveryFourthIdleLoopPlaysTheLongerIdleOnce)
{
    EXPECT_EQ(w.Sheet(player), "RuskIdleV3");
    std::vector<std::string> sheets;
    for (int i = 0; i < 48 * 6; ++i)
    {
        w.Step(0.1f / 6.0f);
        if (sheets.empty() || sheets.back() != w.Sheet(player))
        {
            sheets.push_back(w.Sheet(player));
        }
    }
    ASSERT_GE(sheets.size(), 3u);
    EXPECT_EQ(sheets[0], "RuskIdleV3");
    EXPECT_EQ(sheets[1], "RuskIdle2V3");
    EXPECT_EQ(sheets[2], "RuskIdleV3");
}

TEST_F(PlayerTest, RunningQueuesFootstepsOnCellsOneAndSix)
{
    w.Press(GLFW_KEY_D);
    int footsteps = 0;
    for (int i = 0; i < 60; ++i)
    {
        w.Get<SoundEmitter>(player).soundQueue.clear();
        w.Step();
        for (const SoundRequest& request : w.Get<SoundEmitter>(player).soundQueue)
        {
            footsteps += request.eventPath == "event:/SFX/Player/Footsteps";
        }
    }
    // A second of running at up to the run speed plays the 8-cell sheet about once: two steps per cycle.
    EXPECT_GE(footsteps, 2);
    EXPECT_LE(footsteps, 4);
}

TEST_F(PlayerTest, LandingFromAFallSpawnsTheLandingEffectAtTheFeet)
{
    Player().landingVFXArchetype = "Wall";
    w.Get<Sprite>(player).spriteSource = w.world.registry.GetSystem<SpriteSourceManager>()->Find("RuskFallV3");
    w.Step();
    ASSERT_EQ(w.levels->levelEntities[0].size(), 1u);
    const Entity dust = w.levels->levelEntities[0][0];
    EXPECT_EQ(dust.name, "Wall");
    const Vec2 at = w.Get<Transform>(dust).GetTranslation();
    EXPECT_NEAR(at.y, w.Get<Transform>(player).GetTranslation().y - 50.0f + 10.0f, 1e-3f);
}

TEST_F(PlayerTest, FirstFramePlacesTheCameraAndTheRespawnPoint)
{
    test::PlayerWorld fresh;
    fresh.SpawnFloor();
    const Entity p = fresh.SpawnPlayer();
    fresh.Get<Transform>(p).SetTranslation({300.0f, 50.0f});
    fresh.Get<BehaviorPlayer>(p).cameraOffset = {0.0f, 200.0f};
    fresh.Step();
    EXPECT_EQ(fresh.Get<BehaviorPlayer>(p).respawnPoint, (Vec2{300.0f, 50.0f}));
    EXPECT_EQ(fresh.camera->GetPosition(), (Vec2{300.0f, 250.0f}));
}

TEST_F(PlayerTest, TheCameraClosesAHundredfoldPerSecond)
{
    Player().cameraSpeed = 100.0f;
    w.camera->SetPosition({1000.0f, 50.0f});
    for (int i = 0; i < 60; ++i)
    {
        w.Step();
    }
    EXPECT_NEAR(w.camera->GetPosition().x, 10.0f, 0.5f);
}

TEST_F(PlayerTest, TheCameraZoomGlidesToTheLevelZoomTimesTheScalar)
{
    w.levels->zoom = 1600.0f;
    Player().zoomScalar = 2.0f;
    for (int i = 0; i < 60; ++i)
    {
        w.Step();
    }
    EXPECT_NEAR(w.camera->GetZoom(), 3200.0f - 1600.0f / 100.0f, 1.0f);
}

TEST(Player, AnIncompletePlayerIsReportedOnceAndLeftAlone)
{
    test::PlayerWorld w;
    Entity e("Ghost");
    w.Store().AddComponent<Transform>(e);
    w.Store().AddComponent<Rigidbody>(e);
    w.Store().AddComponent<Collider>(e);
    w.Store().AddComponent<BehaviorPlayer>(e);
    w.Step();
    w.Step();
    const std::string log = w.world.trace->Text();
    EXPECT_NE(log.find("Ghost: a player needs"), std::string::npos);
    EXPECT_EQ(log.find("Ghost", log.find("Ghost") + 1), std::string::npos);
}

} // namespace
} // namespace kesto
