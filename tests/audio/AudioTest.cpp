#include "audio/Audio.h"

#include "audio/AudioWorld.h"
#include "game/GameSystems.h"

extern "C"
{
#include <libavutil/log.h>
}

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using studio::PlaybackState;
using test::AudioData;
using test::AudioWorld;
using test::jumpEvent;
using test::laserEvent;
using test::pauseEvent;
using test::stageEvent;
using test::timeSlowEvent;

class AudioTest : public test::AudioFixture
{
};

TEST_F(AudioTest, InitLoadsEveryPathOfTheGuidListInFileOrder)
{
    EXPECT_EQ(world.trace->Text(), "");
    EXPECT_EQ(audio.lastResult, studio::Result::Ok);
    EXPECT_EQ(audio.EventPaths(),
              (std::vector<std::string>{jumpEvent, timeSlowEvent, laserEvent, stageEvent, pauseEvent}));
    EXPECT_EQ(audio.ParameterPaths(), (std::vector<std::string>{"parameter:/Time_Slow", "parameter:/Pause_Menu",
                                                                "parameter:/Portal_Rise", "parameter:/Laser_OnOff"}));
    for (const char* bus :
         {"bus:/", "bus:/SFX", "bus:/SFX/Time_Slow", "bus:/Reverb", "bus:/Music", "bus:/Music/Pause_Menu"})
    {
        EXPECT_TRUE(audio.FindBus(bus).IsValid()) << bus;
    }
    EXPECT_EQ(audio.sampleRate, 48000);
    studio::Attributes3D listener;
    ASSERT_EQ(audio.Studio()->GetListenerAttributes(0, &listener), studio::Result::Ok);
    EXPECT_EQ(listener.forward.z, 1.0f);
    EXPECT_EQ(listener.up.y, 1.0f);
}

TEST_F(AudioTest, FFmpegsWarningsReachTraceOncePerKindAtTheNextFrame)
{
    for (int i = 0; i < 3; ++i)
    {
        av_log(nullptr, AV_LOG_WARNING, "Could not update timestamps for skipped samples.\n");
        av_log(nullptr, AV_LOG_INFO, "Estimating duration from bitrate, this may be inaccurate\n");
    }
    EXPECT_EQ(world.trace->Text(), "");
    world.Frame();
    EXPECT_EQ(world.trace->Text(), "FFMPEG: Could not update timestamps for skipped samples.\n");
}

TEST(AudioInit, AMissingPreloadedCinematicIsReported)
{
    AudioWorld world;
    world.audio->preloadedCinematics = {AudioData("Cinematics/Gone.mp3")};
    world.Init();
    EXPECT_EQ(world.audio->lastResult, studio::Result::FileNotFound);
    EXPECT_NE(world.trace->Text().find("Gone.mp3"), std::string::npos) << world.trace->Text();
}

TEST_F(AudioTest, PlayingAnEventTwiceRestartsItsOneGlobalInstance)
{
    audio.PlayEvent(jumpEvent);
    const studio::EventInstance first = audio.FindInstance(jumpEvent);
    world.Frame();
    audio.PlayEvent(jumpEvent);
    EXPECT_EQ(audio.FindInstance(jumpEvent), first);
    EXPECT_EQ(world.InstanceCount(jumpEvent), 1);
    EXPECT_EQ(world.State(jumpEvent), PlaybackState::Starting);
}

TEST_F(AudioTest, UnknownEventsDoNothing)
{
    audio.PlayEvent("event:/SFX/Nope");
    audio.StopEvent("event:/SFX/Nope");
    audio.PlayEmitterEvent("event:/SFX/Nope", 3);
    EXPECT_FALSE(audio.FindInstance("event:/SFX/Nope").IsValid());
    EXPECT_FALSE(audio.FindInstance("event:/SFX/Nope3").IsValid());
    EXPECT_EQ(world.trace->Text(), "");
}

TEST_F(AudioTest, EmitterInstancesAreKeyedByPathAndEntityId)
{
    audio.PlayEmitterEvent(jumpEvent, 12);
    audio.PlayEmitterEvent(jumpEvent, 12);
    audio.PlayEmitterEvent(jumpEvent, 3);
    EXPECT_TRUE(audio.FindInstance(std::string(jumpEvent) + "12").IsValid());
    EXPECT_TRUE(audio.FindInstance(std::string(jumpEvent) + "3").IsValid());
    EXPECT_FALSE(audio.FindInstance(jumpEvent).IsValid());
    EXPECT_EQ(world.InstanceCount(jumpEvent), 2);
}

TEST_F(AudioTest, SlowTimeStartsTheTimeSlowSoundOncePerEntry)
{
    world.registry.timeScale = 0.5f;
    world.Frame();
    EXPECT_EQ(world.State(timeSlowEvent), PlaybackState::Playing);
    EXPECT_FALSE(audio.timeSlowArmed);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 1.0f);
    world.Frame();
    EXPECT_EQ(world.State(timeSlowEvent), PlaybackState::Playing);

    world.registry.timeScale = 1.0f;
    world.Frame();
    EXPECT_EQ(world.State(timeSlowEvent), PlaybackState::Stopped);
    EXPECT_TRUE(audio.timeSlowArmed);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 0.0f);
}

TEST_F(AudioTest, PausingWhileSlowedStopsTheTimeSlowSoundInTheSameFrame)
{
    world.registry.timeScale = 0.5f;
    world.Frame();
    ASSERT_EQ(world.State(timeSlowEvent), PlaybackState::Playing);

    world.registry.timeScale = 0.0f;
    world.Frame();
    EXPECT_EQ(world.State(timeSlowEvent), PlaybackState::Stopped);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 0.0f);
    EXPECT_EQ(world.State(pauseEvent), PlaybackState::Playing);
    EXPECT_EQ(audio.GetGlobalParameter("Pause_Menu"), 1.0f);
    EXPECT_FALSE(audio.pauseArmed);

    // Resuming into slow time: the pause music stops and the time-slow sound starts again.
    world.registry.timeScale = 0.5f;
    world.Frame();
    EXPECT_EQ(world.State(pauseEvent), PlaybackState::Stopped);
    EXPECT_EQ(audio.GetGlobalParameter("Pause_Menu"), 0.0f);
    EXPECT_TRUE(audio.pauseArmed);
    EXPECT_EQ(world.State(timeSlowEvent), PlaybackState::Playing);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 1.0f);
}

TEST_F(AudioTest, TheListenerStaysAtTheCamera)
{
    world.camera->SetPosition({300.0f, -40.0f});
    world.Frame();
    studio::Attributes3D listener;
    ASSERT_EQ(audio.Studio()->GetListenerAttributes(0, &listener), studio::Result::Ok);
    EXPECT_EQ(listener.position.x, 300.0f);
    EXPECT_EQ(listener.position.y, -40.0f);
    EXPECT_EQ(listener.position.z, 0.0f);
    EXPECT_EQ(listener.forward.z, 1.0f);
}

TEST(AudioUpdate, NeedsTheCamera)
{
    // The game's entity world without the engine around it.
    test::FakeKeyboardMouse keyboardMouse;
    test::FakePad pad;
    SystemRegistry registry;
    registry.Register(std::make_unique<Trace>());
    registry.GetSystem<Trace>()->echo = nullptr;
    registry.Register(std::make_unique<ECS>(GameEcsDef(test::HeadlessDef(keyboardMouse, pad))));
    SystemStore& systems = registry.GetSystem<ECS>()->systemStore;
    systems.AttachRegistry(&registry);
    Audio& audio = *systems.GetSystem<Audio>();
    audio.Init();
    EXPECT_THROW(audio.Update(systems.GetEntityList<Audio>(), 1.0f / 60.0f), MissingSystemError);
}

TEST_F(AudioTest, GlobalParametersAreSetReadAndResetToZero)
{
    audio.SetGlobalParameter("Portal_Rise", 3.0f);
    audio.SetGlobalParameter("parameter:/Time_Slow", 1.0f);
    EXPECT_EQ(audio.GetGlobalParameter("Portal_Rise"), 3.0f);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 1.0f);
    audio.ResetGlobalParameters();
    EXPECT_EQ(audio.GetGlobalParameter("Portal_Rise"), 0.0f);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 0.0f);
    // The local parameter is not touched, so no call fails.
    EXPECT_EQ(audio.lastResult, studio::Result::Ok);
    EXPECT_EQ(audio.GetGlobalParameter("Nothing"), 0.0f);
    EXPECT_EQ(audio.lastResult, studio::Result::NotFound);
}

TEST_F(AudioTest, ReleasingAllInstancesForgetsThem)
{
    audio.PlayEvent(laserEvent);
    audio.PlayEmitterEvent(laserEvent, 7);
    world.Frame();
    audio.StopAllSounds();
    audio.ReleaseAllInstances();
    EXPECT_FALSE(audio.FindInstance(laserEvent).IsValid());
    world.Frame();
    EXPECT_EQ(world.InstanceCount(laserEvent), 0);
    // A new start makes a new instance.
    audio.PlayEvent(laserEvent);
    EXPECT_TRUE(audio.FindInstance(laserEvent).IsValid());
    EXPECT_EQ(world.InstanceCount(laserEvent), 1);
}

TEST(AudioWithoutInit, OperationsDoNothing)
{
    AudioWorld world;
    Audio& audio = *world.audio;
    audio.PlayEvent(jumpEvent);
    audio.SetGlobalParameter("Time_Slow", 1.0f);
    EXPECT_EQ(audio.GetGlobalParameter("Time_Slow"), 0.0f);
    audio.PlayCinematicSound(AudioData("Cinematics/clip.avi"), false);
    audio.FadeMusic(1.0f, 0.0f);
    audio.StopAllSounds();
    EntityList none;
    audio.Update(none, 0.0f);
    EXPECT_FALSE(audio.cinematicChannel.IsValid());
    EXPECT_EQ(audio.Studio(), nullptr);
}

} // namespace
} // namespace kesto
