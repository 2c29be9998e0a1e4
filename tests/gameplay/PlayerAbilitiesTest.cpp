#include "engine/SystemRegistry.h"
#include "gameplay/Checkpoint.h"
#include "gameplay/PlayerWorld.h"
#include "graphics/RendererSystem.h"
#include "ui/PauseSystem.h"
#include "ui/ProgressBar.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kesto
{
namespace
{

constexpr float frame = test::PlayerWorld::frame;
constexpr int leftMouse = GLFW_MOUSE_BUTTON_LEFT;
constexpr int rightMouse = GLFW_MOUSE_BUTTON_RIGHT;

class PlayerAbilities : public ::testing::Test
{
protected:
    void SetUp() override
    {
        floor = w.SpawnFloor();
        player = w.SpawnPlayer();
        w.Step();
        w.Step();
    }

    // The mouse points at the camera's centre, so the aim is towards where the camera is put.
    void AimAt(Vec2 world) { w.camera->SetPosition(world); }
    Vec2 Position() { return w.Get<Transform>(player).GetTranslation(); }
    BehaviorPlayer& Player() { return w.Get<BehaviorPlayer>(player); }
    Rigidbody& Body() { return w.Get<Rigidbody>(player); }
    int State() { return Player().stateMachine.activeState; }
    RendererSystem& Renderer() { return *w.world.Systems().GetSystem<RendererSystem>(); }
    SystemRegistry& Registry() { return w.world.registry; }

    // Frames at the registry's time scale, as the frame loop would give them.
    void ScaledSteps(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            w.Step(frame * Registry().timeScale);
        }
    }

    void RemoveFloorAndGravity()
    {
        w.Store().DestroyEntity(floor);
        w.Get<Gravity>(player).amount = 0.0f;
        w.Step();
    }

    test::PlayerWorld w;
    Entity floor;
    Entity player;
};

TEST_F(PlayerAbilities, ADashCoversSpeedTimesDurationAndFreezesTheFrame)
{
    RemoveFloorAndGravity();
    const Vec2 start = Position();
    AimAt(start + Vec2{1000.0f, 0.0f});
    w.Press(leftMouse);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Dash));
    EXPECT_EQ(Registry().freezeTime, 0.05f);
    EXPECT_FALSE(Player().canDash);
    EXPECT_EQ(w.Sheet(player), "RuskDashV3");
    // Frozen frames have a step of 0: nothing moves.
    const Vec2 atFreeze = Position();
    w.Step(0.0f);
    EXPECT_EQ(Position(), atFreeze);
    for (int i = 0; i < 40; ++i)
    {
        w.Step();
    }
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Normal));
    EXPECT_NEAR(Position().x - start.x, 300.0f, 1000.0f * frame + 0.01f);
    EXPECT_NEAR(Position().y, start.y, 1e-3f);
    EXPECT_EQ(Body().velocity.x, 0.0f); // momentum 0 stops dead
}

TEST(PlayerKeyboardDash, AimsWithTheHeldDirectionKeysInEightDirectionsOrAlongTheFacing)
{
    const float d = std::sqrt(0.5f);
    struct Case
    {
        std::vector<int> held;
        bool facingLeft;
        Vec2 expected;
    };
    const Case cases[] = {
        {{}, false, {1.0f, 0.0f}},
        {{}, true, {-1.0f, 0.0f}},
        {{GLFW_KEY_RIGHT}, true, {1.0f, 0.0f}},
        {{GLFW_KEY_A}, false, {-1.0f, 0.0f}},
        {{GLFW_KEY_UP}, false, {0.0f, 1.0f}},
        {{GLFW_KEY_S}, true, {0.0f, -1.0f}},
        {{GLFW_KEY_RIGHT, GLFW_KEY_UP}, false, {d, d}},
        {{GLFW_KEY_LEFT, GLFW_KEY_W}, false, {-d, d}},
        {{GLFW_KEY_D, GLFW_KEY_DOWN}, true, {d, -d}},
        {{GLFW_KEY_LEFT, GLFW_KEY_DOWN}, false, {-d, -d}},
    };
    for (const int dashKey : {GLFW_KEY_X, GLFW_KEY_LEFT_SHIFT})
    {
        for (const Case& c : cases)
        {
            test::PlayerWorld w;
            const Entity player = w.SpawnPlayer(0.0f); // nothing to stand on and no gravity: nothing blocks
            w.Step();
            w.Get<Sprite>(player).flippedX = c.facingLeft;
            // The mouse points elsewhere; a dash from the keyboard does not follow it.
            w.camera->SetPosition({-3000.0f, 5000.0f});
            for (const int key : c.held)
            {
                w.world.keyboardMouse->Press(key);
            }
            w.Press(dashKey);
            w.Step();
            const BehaviorPlayer& behavior = w.Get<BehaviorPlayer>(player);
            const std::string name = "keys held: " + std::to_string(c.held.size()) + ", first " +
                                     std::to_string(c.held.empty() ? 0 : c.held.front());
            ASSERT_EQ(behavior.stateMachine.activeState, static_cast<int>(PlayerState::Dash)) << name;
            EXPECT_NEAR(behavior.dashVelocity.x, c.expected.x * 1000.0f, 0.01f) << name;
            EXPECT_NEAR(behavior.dashVelocity.y, c.expected.y * 1000.0f, 0.01f) << name;
            // Straight up or down keeps the facing; otherwise the sprite faces the way it dashes.
            EXPECT_EQ(w.Get<Sprite>(player).flippedX, c.expected.x == 0.0f ? c.facingLeft : c.expected.x < 0.0f)
                << name;
        }
    }
}

TEST_F(PlayerAbilities, AClickAimsAtTheMouseWhateverKeysAreHeld)
{
    RemoveFloorAndGravity();
    AimAt(Position() + Vec2{0.0f, -1000.0f});
    w.world.keyboardMouse->Press(GLFW_KEY_LEFT);
    w.world.keyboardMouse->Press(GLFW_KEY_UP);
    w.Press(leftMouse);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Dash));
    EXPECT_NEAR(Player().dashVelocity.x, 0.0f, 0.01f);
    EXPECT_NEAR(Player().dashVelocity.y, -1000.0f, 0.01f);
}

TEST_F(PlayerAbilities, TheCompassFollowsTheAimKeysUntilTheMouseMoves)
{
    Player().compassDirArchetype = "Wall";
    Player().compassMeterArchetype = "Wall";
    AimAt(Position() + Vec2{1000.0f, 0.0f});
    w.Press(GLFW_KEY_UP);
    w.Step();
    EXPECT_EQ(Player().dashVelocity, (Vec2{0.0f, 1000.0f}));
    w.Release(GLFW_KEY_UP);
    w.Step();
    EXPECT_EQ(Player().dashVelocity, (Vec2{1000.0f, 0.0f})) << "no key held: the facing, still aiming with the keys";
    w.world.keyboardMouse->cursor = {400.0, 300.0}; // moved up from the centre
    w.Step();
    EXPECT_GT(Player().dashVelocity.y, 0.0f);
    EXPECT_GT(Player().dashVelocity.x, 0.0f);
}

TEST_F(PlayerAbilities, ADashThatSolidsStopEndsAtOnceAndStandsTheSpriteUp)
{
    // A ceiling just above, a wall just to the right and both: up, right and up-right dashes are stopped.
    struct Case
    {
        const char* name;
        std::vector<std::pair<Vec2, Vec2>> solids; // centre, size
        Vec2 aim;
    };
    const Case cases[] = {
        {"ceiling", {{{0.0f, 160.0f}, {2000.0f, 100.0f}}}, {0.0f, 1.0f}},
        {"wall", {{{105.0f, 300.0f}, {100.0f, 2000.0f}}}, {1.0f, 0.0f}},
        {"corner", {{{0.0f, 160.0f}, {2000.0f, 100.0f}}, {{105.0f, 300.0f}, {100.0f, 2000.0f}}}, {1.0f, 1.0f}},
    };
    for (const Case& c : cases)
    {
        test::PlayerWorld fresh;
        fresh.SpawnFloor();
        const Entity p = fresh.SpawnPlayer();
        for (const auto& [centre, size] : c.solids)
        {
            Entity solid("Solid");
            auto* transform = fresh.Store().AddComponent<Transform>(solid);
            transform->SetTranslation(centre);
            transform->SetScale(size);
            fresh.Store().AddComponent<Collider>(solid);
        }
        fresh.Step();
        fresh.Step();
        fresh.camera->SetPosition(fresh.Get<Transform>(p).GetTranslation() + c.aim * 1000.0f);
        fresh.Press(leftMouse);
        fresh.Step();
        ASSERT_EQ(fresh.Get<BehaviorPlayer>(p).stateMachine.activeState, static_cast<int>(PlayerState::Dash)) << c.name;
        int frames = 0;
        while (fresh.Get<BehaviorPlayer>(p).stateMachine.activeState == static_cast<int>(PlayerState::Dash) &&
               frames < 30)
        {
            fresh.Step();
            ++frames;
        }
        // Over as soon as the solids are reached, not after the dash's 0.3 s (18 frames).
        EXPECT_LE(frames, 2) << c.name;
        EXPECT_EQ(fresh.Get<Transform>(p).GetRotation(), 0.0f) << c.name;
        EXPECT_EQ(fresh.Get<Sprite>(p).offset, (Vec2{0.0f, 0.0f})) << c.name;
        EXPECT_GT(fresh.Get<Gravity>(p).scale, 0.0f) << c.name;
    }
}

TEST_F(PlayerAbilities, ADashTurnsTheSpriteAboutTheColliderCentre)
{
    RemoveFloorAndGravity();
    Collider& collider = w.Get<Collider>(player);
    collider.SetOffset({0.0f, -27.0f});
    Transform& transform = w.Get<Transform>(player);
    transform.SetScale({192.0f, 192.0f});
    for (const Vec2 aim : {Vec2{0.0f, 1.0f}, Vec2{1.0f, 1.0f}, Vec2{-1.0f, -0.2f}})
    {
        Player().canDash = true;
        AimAt(Position() + aim * 1000.0f);
        w.Press(leftMouse);
        w.Step();
        w.Release(leftMouse);
        ASSERT_EQ(State(), static_cast<int>(PlayerState::Dash));
        // The sprite point that sits on the collider centre when upright stays on it when turned.
        const Vec2 centreInQuad{0.0f, -27.0f / 192.0f};
        const Vec2 q = centreInQuad + w.Get<Sprite>(player).offset;
        const float c = std::cos(transform.GetRotation());
        const float s = std::sin(transform.GetRotation());
        const Vec2 drawn =
            transform.GetTranslation() + Vec2{(q.x * c - q.y * s) * 192.0f, (q.x * s + q.y * c) * 192.0f};
        const Vec2 centre = transform.GetTranslation() + collider.GetOffset();
        EXPECT_NEAR(drawn.x, centre.x, 1e-3f) << aim.x << ", " << aim.y;
        EXPECT_NEAR(drawn.y, centre.y, 1e-3f) << aim.x << ", " << aim.y;
        for (int i = 0; i < 30; ++i)
        {
            w.Step();
        }
        ASSERT_EQ(State(), static_cast<int>(PlayerState::Normal));
        EXPECT_EQ(w.Get<Sprite>(player).offset, (Vec2{0.0f, 0.0f}));
    }
}

TEST_F(PlayerAbilities, MomentumOneKeepsTheDashVelocity)
{
    RemoveFloorAndGravity();
    Player().dashMomentum = 1.0f;
    AimAt(Position() + Vec2{0.0f, 500.0f});
    w.Press(leftMouse);
    for (int i = 0; i < 30; ++i)
    {
        w.Step();
    }
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Normal));
    EXPECT_NEAR(Body().velocity.y, 1000.0f, 1e-2f);
}

TEST_F(PlayerAbilities, NoDashWithoutOneAvailable)
{
    RemoveFloorAndGravity();
    Player().canDash = false;
    AimAt(Position() + Vec2{1000.0f, 0.0f});
    w.Press(leftMouse);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Normal));
    EXPECT_EQ(Registry().freezeTime, 0.0f);
}

TEST_F(PlayerAbilities, GroundInTheSecondHalfOfADashRestoresIt)
{
    AimAt(Position() + Vec2{1000.0f, -10.0f}); // slightly down, into the floor
    w.Press(leftMouse);
    w.Step();
    w.Release(leftMouse);
    EXPECT_FALSE(Player().canDash);
    for (int i = 0; i < 8; ++i) // first half: 0.3 s × 0.5 = 9 frames
    {
        w.Step();
    }
    EXPECT_FALSE(Player().canDash);
    w.Step();
    w.Step();
    EXPECT_TRUE(Player().canDash);
}

TEST_F(PlayerAbilities, ACursorOnThePlayerKeepsThePreviousAim)
{
    RemoveFloorAndGravity();
    AimAt(Position());
    w.Press(leftMouse);
    w.Step();
    EXPECT_TRUE(std::isfinite(Body().velocity.x));
    EXPECT_TRUE(std::isfinite(Body().velocity.y));
    EXPECT_NEAR(Body().velocity.x, 1000.0f, 1e-2f); // the aim starts pointing right
}

TEST_F(PlayerAbilities, AFullMeterSlowsTimeForTenRealSeconds)
{
    w.Press(rightMouse);
    w.Step();
    ASSERT_EQ(Registry().timeScale, 0.3f);
    EXPECT_TRUE(Renderer().slowMotionOn);
    int frames = 1;
    while (Registry().timeScale != 1.0f && frames < 2000)
    {
        ScaledSteps(1);
        ++frames;
    }
    EXPECT_NEAR(static_cast<float>(frames) * frame, 10.0f, 0.05f);
    EXPECT_FALSE(Renderer().slowMotionOn);
    EXPECT_EQ(Player().timeSlowMeter, 0.0f);
    // Still held, the empty meter refills (5 real seconds) but the slow does not come back on its own.
    w.Release(rightMouse);
    ScaledSteps(300);
    EXPECT_NEAR(Player().timeSlowMeter, 1.0f, 0.01f);
}

TEST_F(PlayerAbilities, SlowingNeedsTheThreshold)
{
    Player().timeSlowMeter = 0.19f;
    w.Press(rightMouse);
    w.Step();
    EXPECT_EQ(Registry().timeScale, 1.0f);
    Player().timeSlowMeter = 0.2f;
    w.Release(rightMouse);
    w.Step();
    w.Press(rightMouse);
    w.Step();
    EXPECT_EQ(Registry().timeScale, 0.3f);
}

TEST_F(PlayerAbilities, ReleasingRestoresTimeInTheSameFrame)
{
    w.Press(rightMouse);
    w.Step();
    ScaledSteps(10);
    w.Release(rightMouse);
    ScaledSteps(1);
    EXPECT_EQ(Registry().timeScale, 1.0f);
}

TEST_F(PlayerAbilities, DyingWhileSlowedRestoresTimeOnTheNextFrame)
{
    w.Press(rightMouse);
    w.Step();
    w.Press(GLFW_KEY_F6);
    ScaledSteps(1);
    EXPECT_EQ(Player().stateMachine.requestedState, static_cast<int>(PlayerState::Dead));
    ScaledSteps(1);
    EXPECT_EQ(Registry().timeScale, 1.0f);
}

TEST_F(PlayerAbilities, DeathAndRespawnRunTheirTimesAndReturnThePlayer)
{
    const Vec2 home = Player().respawnPoint;
    const Vec2 colliderScale = w.Get<Collider>(player).GetScale();
    w.Get<Transform>(player).SetTranslation({700.0f, 50.0f});
    w.Step();
    w.Press(GLFW_KEY_F6);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Dead));
    EXPECT_EQ(w.Get<Collider>(player).GetScale(), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(w.Get<Sprite>(player).alpha, 0.0f);
    EXPECT_TRUE(Renderer().fadingOut);
    EXPECT_EQ(Renderer().transitionDuration, 0.75f);
    int frames = 0;
    while (State() == static_cast<int>(PlayerState::Dead) && frames < 200)
    {
        w.Step();
        ++frames;
    }
    EXPECT_NEAR(static_cast<float>(frames) * frame, 0.75f, 2.5f * frame);
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Respawn));
    EXPECT_NEAR(Position().x, home.x, 1e-3f);
    EXPECT_EQ(w.camera->GetPosition().x, home.x);
    EXPECT_EQ(w.Get<Collider>(player).GetScale(), colliderScale);
    EXPECT_FALSE(Renderer().fadingOut);
    frames = 0;
    while (State() == static_cast<int>(PlayerState::Respawn) && frames < 200)
    {
        w.Step();
        ++frames;
    }
    EXPECT_NEAR(static_cast<float>(frames) * frame, 0.5f, 2.5f * frame);
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Normal));
    EXPECT_EQ(w.Get<Sprite>(player).alpha, 1.0f);
}

TEST_F(PlayerAbilities, TheFoxReappearsInTheUpdateInWhichTheRespawnTimeRunsOut)
{
    Player().respawnDuration = 0.25f;
    Player().stateMachine.SetState(static_cast<int>(PlayerState::Dead));
    while (State() != static_cast<int>(PlayerState::Respawn))
    {
        w.Step(0.05f);
    }
    // The enter ran with the first 0.05 s: four more steps make 0.25 s, and the fifth step's update shows the fox.
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(w.Get<Sprite>(player).alpha, 0.0f) << i;
        w.Step(0.05f);
    }
    EXPECT_EQ(w.Get<Sprite>(player).alpha, 1.0f);
}

TEST_F(PlayerAbilities, FlyingStaysInsideTheCameraBounds)
{
    w.camera->SetBounds({-500.0f, 500.0f}, {-200.0f, 800.0f});
    w.Press(GLFW_KEY_F2);
    w.Step();
    w.Release(GLFW_KEY_F2);
    ASSERT_EQ(State(), static_cast<int>(PlayerState::Fly));
    const ColliderBox& box = w.Get<Collider>(player).LocalBox();
    for (const int key : {GLFW_KEY_A, GLFW_KEY_W, GLFW_KEY_D})
    {
        w.world.keyboardMouse->Press(key);
        for (int i = 0; i < 60; ++i)
        {
            w.Step();
            const ColliderBox now = w.Get<Collider>(player).WorldBox();
            EXPECT_GE(now.left, -500.0f - 1e-3f);
            EXPECT_LE(now.right, 500.0f + 1e-3f);
            EXPECT_LE(now.top, 800.0f + 1e-3f);
        }
        w.Release(key);
    }
    EXPECT_NEAR(Position().x, 500.0f - box.right, 1e-3f);
    EXPECT_NEAR(Position().y, 800.0f - box.top, 1e-3f);
}

TEST_F(PlayerAbilities, AfterimagesComeEveryFifteenthOfASecondWhileThePlayerMoves)
{
    // The player hands its poses to the renderer, which keeps and draws them.
    auto& renderer = *w.world.Systems().GetSystem<RendererSystem>();
    renderer.ClearAfterimages();
    for (int i = 0; i < 60; ++i)
    {
        w.Step();
    }
    EXPECT_LE(renderer.Afterimages().Size(), 1u); // standing still adds nothing new
    w.Press(GLFW_KEY_D);
    const std::size_t before = renderer.Afterimages().Size();
    for (int i = 0; i < 60; ++i)
    {
        w.Step();
    }
    // One a fifteenth of a second, each taking a frame past the interval.
    EXPECT_NEAR(static_cast<float>(renderer.Afterimages().Size() - before), 60.0f / 5.0f, 2.0f);
}

TEST_F(PlayerAbilities, AfterimagesOfALongLevelKeepOnlyTheRecentTrail)
{
    auto& renderer = *w.world.Systems().GetSystem<RendererSystem>();
    renderer.ClearAfterimages();
    w.Press(GLFW_KEY_D);
    // Running to and fro for a minute records far more poses than are kept.
    for (int i = 0; i < 3600; ++i)
    {
        if (i % 600 == 300)
        {
            w.Release(GLFW_KEY_D);
            w.Press(GLFW_KEY_A);
        }
        else if (i % 600 == 0 && i > 0)
        {
            w.Release(GLFW_KEY_A);
            w.Press(GLFW_KEY_D);
        }
        w.Step();
    }
    EXPECT_EQ(renderer.Afterimages().Size(), RendererSystem::afterimageCapacity);
    // The newest pose is at most one interval behind the player.
    EXPECT_NEAR(renderer.Afterimages().Back().transform.GetTranslation().x, Position().x, 300.0f / 15.0f + 1.0f);
}

TEST_F(PlayerAbilities, HoldingTheTaughtActionRemovesTheTutorialPrompt)
{
    Entity prompt("Prompt");
    w.Store().AddComponent<Transform>(prompt);
    w.levels->AddToLevel(prompt);
    Player().tutorialPrompt = prompt;
    Player().tutorialStep = 0;
    Registry().rawDt = 0.09f;
    w.Press(GLFW_KEY_D);
    for (int i = 0; i < 11; ++i)
    {
        w.Step();
    }
    EXPECT_TRUE(w.Store().HasComponent<Transform>(prompt)); // one second of holding is needed
    // Placed where the player will be after this frame's physics step.
    EXPECT_NEAR(w.Get<Transform>(prompt).GetTranslation().x, Position().x, 1e-2f);
    w.Step();
    EXPECT_FALSE(w.Store().HasComponent<Transform>(prompt));
    EXPECT_FALSE(Player().tutorialPrompt.IsValid());
    EXPECT_TRUE(w.levels->levelEntities[0].empty());
}

TEST_F(PlayerAbilities, TheTimeSlowBarShowsTheMeter)
{
    Player().timeSlowBarArchetype = "TimeSlowBar";
    Entity bar("TimeSlowBar");
    w.Store().AddComponent<ProgressBar>(bar);
    Player().timeSlowMeter = 0.4f;
    w.Step();
    EXPECT_NEAR(w.Get<ProgressBar>(bar).current, 0.4f, 0.01f);
    EXPECT_TRUE(w.Get<ProgressBar>(bar).dirty);
}

TEST_F(PlayerAbilities, TheCompassFollowsTheAim)
{
    Player().compassDirArchetype = "Wall";
    Player().compassMeterArchetype = "Wall";
    AimAt(Position() + Vec2{0.0f, 1000.0f});
    w.Step();
    ASSERT_TRUE(Player().compassArrow.IsValid());
    const Transform& arrow = w.Get<Transform>(Player().compassArrow);
    EXPECT_NEAR(arrow.GetTranslation().y, Position().y + 100.0f, 1.0f);
    EXPECT_NEAR(arrow.GetRotation(), 1.5707963f, 1e-3f);
    EXPECT_EQ(Player().dashVelocity, (Vec2{0.0f, 1000.0f}));
}

TEST_F(PlayerAbilities, DebugKeys)
{
    w.levels->currentLevel = "Proving Grounds";
    w.Press(GLFW_KEY_F2);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Fly));
    w.Release(GLFW_KEY_F2);
    w.Press(GLFW_KEY_F2);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Normal));

    Entity behind("Checkpoint");
    w.Store().AddComponent<Transform>(behind)->SetTranslation({-500.0f, 50.0f});
    w.Store().AddComponent<Checkpoint>(behind);
    Entity far("Checkpoint");
    w.Store().AddComponent<Transform>(far)->SetTranslation({900.0f, 50.0f});
    w.Store().AddComponent<Checkpoint>(far);
    Entity near("Checkpoint");
    w.Store().AddComponent<Transform>(near)->SetTranslation({400.0f, 60.0f});
    w.Store().AddComponent<Checkpoint>(near);
    w.Press(GLFW_KEY_F3);
    w.Step();
    EXPECT_NEAR(Position().x, 400.0f, 1.0f);

    w.Press(GLFW_KEY_F4);
    w.Step();
    EXPECT_EQ(w.levels->nextLevel, "Proving Grounds");
    w.levels->nextLevel.clear();
    w.Press(GLFW_KEY_F5);
    w.Step();
    EXPECT_EQ(w.levels->nextLevel, "8. Lab Breakout (The End)");

    w.Press(GLFW_KEY_F6);
    w.Step();
    EXPECT_EQ(State(), static_cast<int>(PlayerState::Dead));
}

TEST_F(PlayerAbilities, TapsShorterThanAFrameAreActedOnOnce)
{
    struct Case
    {
        int code;
        PlayerState state;
    };
    // A 12 ms tap of F6 or of the dash button at 40 frames a second.
    for (const Case c : {Case{GLFW_KEY_F6, PlayerState::Dead}, Case{leftMouse, PlayerState::Dash}})
    {
        Player().stateMachine.SetState(static_cast<int>(PlayerState::Normal));
        w.Step(0.025f);
        w.Tap(c.code);
        w.Step(0.025f);
        EXPECT_EQ(Player().stateMachine.requestedState, static_cast<int>(c.state)) << c.code;
        EXPECT_FALSE(w.world.registry.GetSystem<PCInputManager>()->IsKeyDown(c.code)) << c.code;
    }
}

TEST_F(PlayerAbilities, AMisspeltCompassArchetypeIsReportedOnceNotEveryFrame)
{
    Player().compassDirArchetype = "CompassDirr";
    Player().compassMeterArchetype = "Wall";
    for (int i = 0; i < 120; ++i)
    {
        w.Step();
    }
    const std::string log = w.world.trace->Text();
    std::size_t reports = 0;
    for (std::size_t at = log.find("CompassDirr: no such archetype"); at != std::string::npos;
         at = log.find("CompassDirr: no such archetype", at + 1))
    {
        ++reports;
    }
    EXPECT_EQ(reports, 1u) << log;
    EXPECT_FALSE(Player().compassArrow.IsValid());
    EXPECT_TRUE(Player().compassMeter.IsValid());
}

TEST_F(PlayerAbilities, ARunSpeedOfZeroNeitherHangsTheFrameNorFloodsTheLog)
{
    // The run animation's rate is the player's speed over "runSpeed": infinite here while it moves.
    Player().runSpeed = 0.0f;
    w.Press(GLFW_KEY_D);
    const std::size_t before = w.world.trace->ReportCount();
    for (int i = 0; i < 30; ++i)
    {
        Body().velocity.x = 300.0f;
        w.Step();
    }
    EXPECT_EQ(w.Sheet(player), "RuskRunV3");
    EXPECT_EQ(w.world.trace->ReportCount() - before, 1u) << w.world.trace->Text();
    EXPECT_NE(w.world.trace->Text().find("ANIMATION: Player: playback speed inf"), std::string::npos);
}

TEST_F(PlayerAbilities, HookFallsPlayTheirSheetsAndBlockThePause)
{
    Player().stateMachine.SetState(static_cast<int>(PlayerState::HookFall1));
    w.Step();
    EXPECT_EQ(w.Sheet(player), "RuskHookN001");
    EXPECT_FALSE(w.world.Systems().GetSystem<PauseSystem>()->allowPause);
    EXPECT_TRUE(Player().compassHidden);
    for (int i = 0; i < 60; ++i)
    {
        w.Step();
    }
    EXPECT_EQ(w.Sheet(player), "RuskHookN002");
    Player().stateMachine.SetState(static_cast<int>(PlayerState::HookFall3));
    w.Step();
    EXPECT_EQ(w.Sheet(player), "RuskHookN007");
    EXPECT_TRUE(w.camera->IsShaking()); // grounded on the crash sheet
}

TEST_F(PlayerAbilities, FrozenSlowsToAStop)
{
    Body().velocity.x = 600.0f;
    Player().stateMachine.SetState(static_cast<int>(PlayerState::Frozen));
    for (int i = 0; i < 120; ++i)
    {
        w.Step();
    }
    EXPECT_LT(std::fabs(Body().velocity.x), 10.0f);
    EXPECT_EQ(w.Sheet(player), "RuskIdleV3");
}

} // namespace
} // namespace kesto
