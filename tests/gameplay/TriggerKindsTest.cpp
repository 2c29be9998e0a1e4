#include "animation/Animation.h"
#include "gameplay/Laser.h"
#include "gameplay/TriggerKindsAudio.h"
#include "gameplay/TriggerKindsPlayer.h"
#include "gameplay/TriggerKindsWorld.h"
#include "gameplay/TriggerWorld.h"
#include "graphics/RendererSystem.h"
#include "particles/ParticleEmitter.h"
#include "support/ComponentJson.h"
#include "ui/TimerSystem.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

constexpr float pi = std::numbers::pi_v<float>;
constexpr const char* portal = R"({"Dash Reset": {}})";

bool Queued(const SoundEmitter& emitter, const std::string& path)
{
    for (const SoundRequest& request : emitter.soundQueue)
    {
        if (request.eventPath == path)
        {
            return true;
        }
    }
    return false;
}

// Runs frames with the player away from every trigger.
void Wait(test::TriggerWorld& world, float seconds)
{
    for (float waited = 0.0f; waited < seconds; waited += test::PlayerWorld::frame)
    {
        world.Frame(Entity::None(), false);
    }
}

// The player after a dash that took its jump as well, as it is when it reaches a portal.
void SpendJumpAndDash(test::TriggerWorld& world)
{
    world.Player().canJump = false;
    world.Player().canDash = false;
}

TEST(TriggerDashReset, DoesNothingAtAllWhileThePlayerHasJumpAndDash)
{
    test::TriggerWorld world;
    world.Sound().SetGlobalParameter("Portal_Rise", 4.0f);
    world.Get<SoundEmitter>(world.player).soundQueue.clear();
    const Entity trigger = world.Run(portal);
    EXPECT_EQ(world.Sound().GetGlobalParameter("Portal_Rise"), 4.0f);
    EXPECT_EQ(world.Player().dashResetCooldown, 0.0f);
    EXPECT_FALSE(world.Player().dashRecharged);
    EXPECT_FALSE(Queued(world.Get<SoundEmitter>(world.player), "event:/SFX/Player/Dash_Recharge_Portal"));
    EXPECT_EQ(world.Get<TriggerComponent>(trigger).functions.size(), 1u);
}

TEST(TriggerDashReset, GivesBackJumpAndDashAndStepsPortalRiseForPortalsTakenInQuickSuccession)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(portal);
    struct Take
    {
        float after; // seconds since the previous portal
        float rise;  // "Portal_Rise" after this portal
    };
    const std::vector<Take> takes = {{0.0f, 1.0f}, {1.0f, 2.0f}, {3.0f, 1.0f}, {0.5f, 2.0f}, {0.5f, 3.0f},
                                     {0.5f, 4.0f}, {0.5f, 5.0f}, {0.5f, 6.0f}, {0.5f, 1.0f}};
    for (const Take& take : takes)
    {
        Wait(world, take.after);
        SpendJumpAndDash(world);
        world.Get<SoundEmitter>(world.player).soundQueue.clear();
        world.TouchOnce(trigger);
        EXPECT_EQ(world.Sound().GetGlobalParameter("Portal_Rise"), take.rise) << "after " << take.after << " s";
        EXPECT_TRUE(world.Player().canJump);
        EXPECT_TRUE(world.Player().canDash);
        EXPECT_TRUE(world.Player().dashRecharged);
        EXPECT_GT(world.Player().dashResetCooldown, 1.9f);
        EXPECT_TRUE(Queued(world.Get<SoundEmitter>(world.player), "event:/SFX/Player/Dash_Recharge_Portal"));
    }
}

TEST(TriggerDashReset, StartsTheDashResetEmissionOfItsEmitter)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(portal);
    auto* particles = world.Store().AddComponent<ParticleEmitter>(trigger);
    test::ReadJson(*particles, R"({"Emissions Count": 2, "Emission0": {"Emission Name": "Glow"},
                                   "Emission1": {"Emission Name": "DashReset"}})");
    particles->needsUpdate = false;
    SpendJumpAndDash(world);
    world.TouchOnce(trigger);
    EXPECT_TRUE(particles->needsUpdate);
}

TEST(TriggerSetState, PutsThePlayerInTheStateExceptAKillZoneForAFlyingPlayer)
{
    struct StateCase
    {
        PlayerState from;
        const char* function;
        PlayerState requested;
    };
    const std::vector<StateCase> cases = {
        {PlayerState::Normal, R"({"Set State": {"state": 2}})", PlayerState::Dead},
        {PlayerState::Fly, R"({"Set State": {"state": 2}})", PlayerState::Fly},
        {PlayerState::Fly, R"({"Set State": {"state": 0}})", PlayerState::Normal},
        {PlayerState::Normal, R"({"Set State": {"state": 4}})", PlayerState::HookFall1},
        {PlayerState::Normal, R"({"Set State": {"state": 7}})", PlayerState::Frozen},
    };
    for (const StateCase& c : cases)
    {
        SCOPED_TRACE(c.function);
        test::TriggerWorld world;
        world.Player().stateMachine.SetState(static_cast<int>(c.from));
        world.Frame(Entity::None(), false);
        world.Run(c.function);
        EXPECT_EQ(world.Player().stateMachine.requestedState, static_cast<int>(c.requested));
    }
}

TEST(TriggerSwitch, TogglesTheLasersOfItsNumberOnceForTheLifeOfTheEntity)
{
    test::TriggerWorld world;
    struct Wired
    {
        int onOff;
        int patrol;
        int timer;
    };
    std::vector<Entity> lasers;
    for (const Wired wired : {Wired{2, 0, 0}, Wired{0, 2, 0}, Wired{0, 0, 2}, Wired{1, 1, 1}})
    {
        Entity e("Laser");
        world.Store().AddComponent<Transform>(e)->SetTranslation({3000.0f, 3000.0f});
        world.Store().AddComponent<Collider>(e);
        auto* laser = world.Store().AddComponent<Laser>(e);
        laser->onOffNumber = wired.onOff;
        laser->patrolNumber = wired.patrol;
        laser->timeNumber = wired.timer;
        lasers.push_back(e);
    }
    const Entity trigger = world.AddTrigger(R"({"Switch": {"event": 0, "number": 2}})");
    auto* sounds = world.Store().AddComponent<SoundEmitter>(trigger);
    for (int touch = 0; touch < 3; ++touch)
    {
        world.TouchOnce(trigger);
    }
    const auto laser = [&](std::size_t i) -> Laser& { return world.Get<Laser>(lasers[i]); };
    EXPECT_FALSE(laser(0).onOff);
    EXPECT_TRUE(laser(1).patrolOn);
    EXPECT_TRUE(laser(2).timerOn);
    EXPECT_FALSE(laser(0).patrolOn);
    EXPECT_FALSE(laser(0).timerOn);
    EXPECT_TRUE(laser(3).onOff);
    EXPECT_FALSE(laser(3).patrolOn);
    EXPECT_FALSE(laser(3).timerOn);
    ASSERT_EQ(sounds->soundQueue.size(), 1u);
    EXPECT_EQ(sounds->soundQueue[0].eventPath, "event:/SFX/Environment/Laser_Switch");
    EXPECT_FALSE(dynamic_cast<const TriggerSwitch&>(*world.Get<TriggerComponent>(trigger).functions[0]).enabled);
}

TEST(TriggerFrameFreeze, FreezesOnlyAfterThePlayerHasDashed)
{
    for (const bool dashed : {false, true})
    {
        test::TriggerWorld world;
        world.Player().canDash = !dashed;
        world.Run(R"({"Frame Freeze": {"time": 0.25}})");
        EXPECT_EQ(world.world.registry.freezeTime, dashed ? 0.25f : 0.0f);
    }
}

TEST(TriggerAmbientLight, ChangesTheAmbientAtOnceForTimeZeroAndOtherwiseSetsATransition)
{
    for (const float time : {0.0f, 2.0f})
    {
        test::TriggerWorld world;
        auto& renderer = *world.world.ecs->systemStore.GetSystem<RendererSystem>();
        renderer.ambient = {1.0f, 1.0f, 1.0f};
        const Entity trigger = world.AddTrigger(R"({"Ambient Light": {"color": [0.25, 0.5, 0.75], "time": )" +
                                                std::to_string(time) + "}}");
        world.Frame(trigger, true);
        world.Frame(trigger, false); // the function runs in this frame's trigger update
        EXPECT_EQ(renderer.ambientTarget, (Vec3{0.25f, 0.5f, 0.75f}));
        EXPECT_EQ(renderer.ambientTimeLeft, time);
        const Vec3 expected = time == 0.0f ? Vec3{0.25f, 0.5f, 0.75f} : Vec3{1.0f, 1.0f, 1.0f};
        EXPECT_EQ(renderer.ambient, expected);
    }
}

TEST(TriggerCamera, OffsetAndZoomGoToThePlayer)
{
    test::TriggerWorld world;
    world.Run(R"({"Camera Offset": {"offset": [30, -40]}, "Camera Zoom": {"scalar": 1.5, "speed": 4.0}})");
    EXPECT_EQ(world.Player().cameraOffset, (Vec2{30.0f, -40.0f}));
    EXPECT_EQ(world.Player().zoomScalar, 1.5f);
    EXPECT_EQ(world.Player().zoomSpeed, 4.0f);
}

TEST(TriggerSpawnArchetype, PlacesTheEntityRelativeToTheWorldTheTriggerOrThePlayer)
{
    struct SpawnCase
    {
        int relative;
        Vec2 expected; // the trigger is at (1000, 500)
    };
    // The player is where it is when the function runs, away from the trigger by then.
    const Vec2 player = test::TriggerWorld::away + Vec2{10.0f, 20.0f};
    for (const SpawnCase c : {SpawnCase{0, {10.0f, 20.0f}}, SpawnCase{1, {1010.0f, 520.0f}}, SpawnCase{2, player}})
    {
        SCOPED_TRACE(c.relative);
        test::TriggerWorld world;
        world.Run(R"({"Spawn Archetype": {"name": "Spark", "position": [10, 20], "relative": )" +
                      std::to_string(c.relative) + "}}",
                  {1000.0f, 500.0f});
        const std::vector<Entity>& level = world.base.levels->levelEntities[0];
        ASSERT_EQ(level.size(), 1u);
        EXPECT_EQ(level[0].name, "Spark");
        EXPECT_EQ(world.Get<Transform>(level[0]).GetTranslation(), c.expected);
    }
}

TEST(TriggerSpawnArchetype, AnArchetypeThatDoesNotExistSpawnsNothingAndIsReportedOnce)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(R"({"Spawn Archetype": {"name": "Unicorn"}})");
    const std::size_t entities = world.Store().GetEntities({ComponentType::Transform}).size();
    for (int touch = 0; touch < 3; ++touch)
    {
        world.TouchOnce(trigger);
    }
    EXPECT_EQ(world.Store().GetEntities({ComponentType::Transform}).size(), entities);
    EXPECT_TRUE(world.base.levels->levelEntities[0].empty());
    const std::string log = world.world.trace->Text();
    EXPECT_NE(log.find("Unicorn: no such archetype"), std::string::npos) << log;
    EXPECT_EQ(log.find("Unicorn"), log.rfind("Unicorn")) << log;
}

TEST(TriggerDashResetVFX, TurnsTheDashEffectToTheWayThePlayerCrossedThePortal)
{
    struct CrossingCase
    {
        float portalRotation;
        Vec2 velocity;
        float effectRotation;
        bool mirrored;
    };
    const std::vector<CrossingCase> cases = {
        {0.0f, {900.0f, 0.0f}, pi * 0.5f, false},       {0.0f, {-900.0f, 0.0f}, pi * 1.5f, true},
        {pi, {900.0f, 200.0f}, pi * 0.5f, false},       {pi * 0.5f, {0.0f, 900.0f}, 0.0f, false},
        {pi * 0.5f, {0.0f, -900.0f}, pi, true},         {-pi * 0.5f, {300.0f, 900.0f}, 0.0f, false},
        {pi * 0.2f, {-10.0f, 900.0f}, pi * 1.5f, true},
    };
    for (const CrossingCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "portal turned " << c.portalRotation << ", velocity " << c.velocity.x << ", "
                                        << c.velocity.y);
        test::TriggerWorld world;
        const Entity trigger = world.AddTrigger(
            R"({"Dash Reset VFX": {"dashArchetype": "Spark", "passArchetype": "Wall", "dashRequired": true}})");
        world.Get<Transform>(trigger).SetRotation(c.portalRotation);
        SpendJumpAndDash(world);
        world.Player().stateMachine.requestedState = static_cast<int>(PlayerState::Dash);
        world.Pass(trigger, true, test::PlayerWorld::frame);
        world.Get<Rigidbody>(world.player).velocity = c.velocity;
        world.base.Run<Trigger>(test::PlayerWorld::frame);

        const std::vector<Entity>& level = world.base.levels->levelEntities[0];
        ASSERT_EQ(level.size(), 2u);
        EXPECT_EQ(level[0].name, "Spark");
        EXPECT_EQ(level[1].name, "Wall");
        EXPECT_EQ(world.Get<Transform>(level[0]).GetTranslation(), (Vec2{0.0f, 500.0f}));
        EXPECT_NEAR(world.Get<Transform>(level[0]).GetRotation(), c.effectRotation, 1e-6f);
        EXPECT_EQ(world.Get<Sprite>(level[0]).flippedX, c.mirrored);
    }
}

TEST(TriggerDashResetVFX, ShowsOnlyThePassEffectWithoutADashAndNothingWhileJumpAndDashRemain)
{
    for (const bool spent : {false, true})
    {
        test::TriggerWorld world;
        if (spent)
        {
            SpendJumpAndDash(world);
        }
        world.Run(R"({"Dash Reset VFX": {"dashArchetype": "Spark", "passArchetype": "Wall"}})");
        const std::vector<Entity>& level = world.base.levels->levelEntities[0];
        ASSERT_EQ(level.size(), spent ? 1u : 0u);
        if (spent)
        {
            EXPECT_EQ(level[0].name, "Wall");
        }
    }
}

TEST(TriggerTutorial, ShowsOnePromptAtThePlayerUntilTheActionIsLearned)
{
    test::TriggerWorld world;
    world.Run(R"({"Tutorial": {"archetype": "Spark", "tutorial": 1}})");
    const Entity first = world.Player().tutorialPrompt;
    ASSERT_TRUE(first.IsValid());
    EXPECT_EQ(world.Player().tutorialStep, 1);
    EXPECT_EQ(world.base.levels->levelEntities[0].size(), 1u);

    // A second prompt replaces the first.
    world.Run(R"({"Tutorial": {"archetype": "Spark", "tutorial": 2}})");
    const Entity second = world.Player().tutorialPrompt;
    EXPECT_NE(second, first);
    EXPECT_FALSE(world.Store().HasComponent<Transform>(first));
    EXPECT_EQ(world.Player().tutorialStep, 2);
    ASSERT_EQ(world.base.levels->levelEntities[0].size(), 1u);
    EXPECT_EQ(world.base.levels->levelEntities[0][0], second);
    // The player carries its prompt along.
    EXPECT_EQ(world.Get<Transform>(second).GetTranslation(), world.Get<Transform>(world.player).GetTranslation());

    // A learned step shows nothing.
    world.Player().tutorialProgress[3] = 1.5f;
    world.Run(R"({"Tutorial": {"archetype": "Spark", "tutorial": 3}})");
    EXPECT_EQ(world.Player().tutorialPrompt, second);
    EXPECT_EQ(world.Player().tutorialStep, 2);
}

TEST(TriggerNextLevel, AsksForTheChangeWithItsFadesAndKeepsTheLevelForANameThatDoesNotExist)
{
    test::TriggerWorld world;
    LevelManager& levels = *world.base.levels;
    const Entity exit = world.AddTrigger(R"({"Change Level": {"level": "Nowhere"}})");
    world.TouchOnce(exit);
    world.TouchOnce(exit);
    EXPECT_EQ(levels.nextLevel, "");
    const std::string log = world.world.trace->Text();
    EXPECT_NE(log.find("Nowhere"), std::string::npos) << log;
    EXPECT_EQ(log.find("Nowhere"), log.rfind("Nowhere")) << "reported more than once:\n" << log;

    world.Run(R"({"Change Level": {"level": "Beta", "fadeOutLength": 0.25, "fadeHoldLength": 0.75,
                                   "fadeInLength": 1.5, "type": 2}})");
    EXPECT_EQ(levels.nextLevel, "Beta");
    EXPECT_EQ(levels.holdTime, 0.75f);
    EXPECT_EQ(levels.fadeInLength, 1.5f);
    EXPECT_EQ(levels.transitionType, ScreenTransition::Weird);
    const auto& renderer = *world.world.ecs->systemStore.GetSystem<RendererSystem>();
    EXPECT_TRUE(renderer.fadingOut);
    EXPECT_EQ(renderer.transitionDuration, 0.25f);
}

TEST(TriggerTimer, StartsSplitsPausesAndResetsTheTimer)
{
    test::TriggerWorld world;
    TimerSystem& timer = *world.world.registry.GetSystem<TimerSystem>();
    world.Run(R"({"Timer": {"function": 0}})");
    EXPECT_TRUE(timer.running);
    timer.Update(2.0f);
    world.Run(R"({"Timer": {"function": 1}, "Timer": {"function": 2}})");
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.splits, (std::vector<float>{2.0f}));
    world.Run(R"({"Timer": {"function": 3}})");
    EXPECT_EQ(timer.time, 0.0f);
    EXPECT_TRUE(timer.splits.empty());
}

TEST(TriggerSprite, PlayAnimationAndSetFrameChangeTheTriggersOwnSprite)
{
    test::TriggerWorld world;
    const Entity animated = world.AddTrigger(R"({"Play Animation": {"source": "RuskRunV3"}})");
    auto* sprite = world.Store().AddComponent<Sprite>(animated);
    auto* animation = world.Store().AddComponent<Animation>(animated);
    world.TouchOnce(animated);
    ASSERT_NE(sprite->spriteSource, nullptr);
    EXPECT_EQ(sprite->spriteSource->name, "RuskRunV3");
    EXPECT_EQ(animation->frameCount, 8) << "the animation did not restart on the new sheet";

    const Entity still = world.AddTrigger(R"({"Set Frame": {"frame": 5}})");
    auto* stillSprite = world.Store().AddComponent<Sprite>(still);
    world.TouchOnce(still);
    EXPECT_EQ(stillSprite->frame, 5);
}

TEST(TriggerFunction, KindsMissingTheirComponentDoNothingAndSayOnce)
{
    test::TriggerWorld world;
    const Entity trigger = world.AddTrigger(R"({"SoundInstance": {"EventName": "event:/SFX/Player/Jump"},
                                                "Set Frame": {"frame": 2}})");
    for (int touch = 0; touch < 3; ++touch)
    {
        world.TouchOnce(trigger);
    }
    const std::string log = world.world.trace->Text();
    for (const char* what : {"SoundInstance needs a SoundEmitter", "Set Frame needs a Sprite"})
    {
        EXPECT_NE(log.find(what), std::string::npos) << log;
        EXPECT_EQ(log.find(what), log.rfind(what)) << log;
    }
}

TEST(SoundInstance, QueuesItsEventOnceOnTheTriggersEmitter)
{
    test::TriggerWorld world;
    const Entity trigger =
        world.AddTrigger(R"({"SoundInstance": {"EventName": "event:/SFX/Player/Jump", "PositionalAudio": true}})");
    auto* sounds = world.Store().AddComponent<SoundEmitter>(trigger);
    sounds->playOnStart = false;
    world.Frame(trigger, true);
    world.Frame(trigger, true);
    world.Frame(trigger, true);
    ASSERT_EQ(sounds->soundQueue.size(), 1u);
    EXPECT_EQ(sounds->soundQueue[0].eventPath, "event:/SFX/Player/Jump");
    EXPECT_TRUE(sounds->soundQueue[0].positional);
}

TEST(TriggerAudio, GlobalParametersFadesAndStopsReachTheAudioSystem)
{
    test::TriggerWorld world;
    Audio& audio = world.Sound();
    world.Run(R"({"Global Parameter": {"name": "Portal_Rise", "value": 3.0}})");
    EXPECT_EQ(audio.GetGlobalParameter("Portal_Rise"), 3.0f);

    struct FadeCase
    {
        bool removeFade;
        std::size_t points;
    };
    for (const FadeCase c : {FadeCase{false, 2u}, FadeCase{true, 1u}})
    {
        audio.RemoveMusicFadePoints(0, std::numeric_limits<std::uint64_t>::max());
        world.Run(std::string(R"({"FadeOut": {"Fadeout Time": 2.0, "Fadeout Volume": 0.25, "Remove Fade": )") +
                  (c.removeFade ? "true" : "false") + "}}");
        std::vector<studio::FadePoint> points;
        ASSERT_EQ(audio.musicChannel.GetFadePoints(&points), studio::Result::Ok);
        ASSERT_EQ(points.size(), c.points);
        EXPECT_EQ(points[0].volume, audio.musicVolume);
        if (!c.removeFade)
        {
            EXPECT_EQ(points[1].volume, 0.25f);
            EXPECT_EQ(points[1].clock - points[0].clock, static_cast<std::uint64_t>(audio.sampleRate) * 2u);
        }
    }
    world.Run(R"({"StopMusic": {}})");
    EXPECT_EQ(audio.lastResult, studio::Result::Ok);
}

} // namespace
} // namespace kesto
