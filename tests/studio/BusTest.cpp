#include "studio/Bus.h"

#include "StudioTestSupport.h"

#include <gtest/gtest.h>

namespace kesto::studio
{
namespace
{

class BusTest : public test::StudioFixture
{
protected:
    void SetUp() override
    {
        StudioFixture::SetUp();
        LoadBank(R"(kesto-bank 1
bus "bus:/SFX"
bus "bus:/SFX/Time_Slow"
bus "bus:/Music"
bus "bus:/Music/Pause_Menu"
parameter "parameter:/Time_Slow" global default 0 min 0 max 1
parameter "parameter:/Pause_Menu" global default 0 min 0 max 1
effect "parameter:/Time_Slow" "bus:/SFX" pitch 0:1 1:0.5
effect "parameter:/Time_Slow" "bus:/SFX" volume 0:1 1:0.5
effect "parameter:/Pause_Menu" "event:/Music/Stage" volume 0:1 1:0.25
effect "parameter:/Time_Slow" "bus:/SFX" lowpass 0:22000 1:100
event "event:/Effect" bus "bus:/SFX/Time_Slow"
sound "$DATA/level.wav"
event "event:/Tone" bus "bus:/SFX"
sound "$DATA/tone.wav"
event "event:/Music/Stage" bus "bus:/Music" fadeout 0.01
sound "$DATA/level.wav" loop
event "event:/Music/Pause" bus "bus:/Music/Pause_Menu"
sound "$DATA/level.wav" loop
)");
        ASSERT_TRUE(reports.empty());
    }
};

TEST_F(BusTest, VolumeScalesEverythingRoutedThroughIt)
{
    Bus sfx = GetBus("bus:/SFX");
    Instance("event:/Effect").Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
    ASSERT_EQ(sfx.SetVolume(0.25f), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(100)[2 * 99], 0.125f);
    float volume = 0.0f;
    float final = 0.0f;
    ASSERT_EQ(sfx.GetVolume(&volume, &final), Result::Ok);
    EXPECT_FLOAT_EQ(volume, 0.25f);
    EXPECT_FLOAT_EQ(final, 0.25f);
}

TEST_F(BusTest, MuteSilencesAndKeepsTheVolume)
{
    Bus sfx = GetBus("bus:/SFX");
    sfx.SetVolume(0.5f);
    Instance("event:/Effect").Start();
    ASSERT_EQ(sfx.SetMute(true), Result::Ok);
    bool mute = false;
    ASSERT_EQ(sfx.GetMute(&mute), Result::Ok);
    EXPECT_TRUE(mute);
    EXPECT_FLOAT_EQ(Mix(100)[2 * 99], 0.0f);
    sfx.SetMute(false);
    EXPECT_FLOAT_EQ(Mix(100)[2 * 99], 0.25f);
}

TEST_F(BusTest, GlobalParametersChangeBusPitchAndVolume)
{
    EventInstance instance = Instance("event:/Effect");
    instance.Start();
    system.SetParameterByName("Time_Slow", 1.0f);
    system.Update();
    float final = 0.0f;
    GetBus("bus:/SFX").GetVolume(nullptr, &final);
    EXPECT_FLOAT_EQ(final, 0.5f);
    // Half speed: 4800 frames of sound now last 9600; and the lowpass passes a constant level untouched.
    const std::vector<float> out = Mix(9000);
    EXPECT_NEAR(out[2 * 8999], 0.25f, 1e-3f);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Playing);
    Mix(700);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
}

TEST_F(BusTest, ALowpassParameterDarkensTheSound)
{
    EventInstance tone = Instance("event:/Tone");
    tone.Start();
    const float open = test::Rms(Mix(4800));
    system.SetParameterByName("Time_Slow", 1.0f);
    system.Update();
    tone.Start();
    const float dark = test::Rms(Mix(4800));
    EXPECT_GT(open, 0.3f);
    EXPECT_LT(dark, open * 0.5f);
}

TEST_F(BusTest, AParameterCanDuckOneEvent)
{
    Instance("event:/Music/Stage").Start();
    Instance("event:/Music/Pause").Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 1.0f);
    system.SetParameterByName("Pause_Menu", 1.0f);
    system.Update();
    EXPECT_FLOAT_EQ(Mix(100)[2 * 99], 0.5f * 0.25f + 0.5f);
}

TEST_F(BusTest, StopAllEventsReachesBusesBelow)
{
    EventInstance stage = Instance("event:/Music/Stage");
    EventInstance pause = Instance("event:/Music/Pause");
    EventInstance effect = Instance("event:/Effect");
    stage.Start();
    pause.Start();
    effect.Start();
    ASSERT_EQ(GetBus("bus:/Music").StopAllEvents(StopMode::Immediate), Result::Ok);
    EXPECT_EQ(State(stage), PlaybackState::Stopped);
    EXPECT_EQ(State(pause), PlaybackState::Stopped);
    EXPECT_EQ(State(effect), PlaybackState::Starting);
    ASSERT_EQ(GetBus("bus:/").StopAllEvents(StopMode::Immediate), Result::Ok);
    EXPECT_EQ(State(effect), PlaybackState::Stopped);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
}

TEST_F(BusTest, StopAllEventsAllowingFadeOut)
{
    EventInstance stage = Instance("event:/Music/Stage");
    stage.Start();
    GetBus("bus:/Music").StopAllEvents(StopMode::AllowFadeOut);
    EXPECT_EQ(State(stage), PlaybackState::Stopping);
    Mix(600);
    system.Update();
    EXPECT_EQ(State(stage), PlaybackState::Stopped);
}

TEST_F(BusTest, FadePointsOnTheChannelGroupReachTheirTargetAtTheirClock)
{
    Instance("event:/Music/Stage").Start();
    Mix(1000);
    ChannelGroup music;
    ASSERT_EQ(GetBus("bus:/Music").GetChannelGroup(&music), Result::Ok);
    std::uint64_t dsp = 0;
    std::uint64_t parent = 0;
    ASSERT_EQ(music.GetDSPClock(&dsp, &parent), Result::Ok);
    EXPECT_EQ(parent, 1000U);
    // Fade from 0.8 to 0 over 0.1 s, as the audio system's music fade does.
    ASSERT_EQ(music.AddFadePoint(parent, 0.8f), Result::Ok);
    ASSERT_EQ(music.AddFadePoint(parent + 4800, 0.0f), Result::Ok);
    const std::vector<float> out = Mix(6000);
    EXPECT_FLOAT_EQ(out[0], 0.4f);
    EXPECT_FLOAT_EQ(out[2 * 2400], 0.2f);
    EXPECT_NEAR(out[2 * 4799], 0.4f / 4800.0f, 1e-6f);
    EXPECT_FLOAT_EQ(out[2 * 4800], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 5999], 0.0f);
    // Removing every point (0 to the largest clock) cancels the fade.
    ASSERT_EQ(music.RemoveFadePoints(0, UINT64_MAX), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
}

TEST_F(BusTest, StoppingTheChannelGroupStopsItsEvents)
{
    EventInstance stage = Instance("event:/Music/Stage");
    stage.Start();
    system.Update();
    ChannelGroup music;
    GetBus("bus:/Music").GetChannelGroup(&music);
    ASSERT_EQ(music.Stop(), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
    system.Update();
    EXPECT_EQ(State(stage), PlaybackState::Stopped);
}

TEST_F(BusTest, PausingABusHoldsItsEvents)
{
    Bus music = GetBus("bus:/Music");
    EventInstance stage = Instance("event:/Music/Stage");
    stage.Start();
    ASSERT_EQ(music.SetPaused(true), Result::Ok);
    bool paused = false;
    ASSERT_EQ(music.GetPaused(&paused), Result::Ok);
    EXPECT_TRUE(paused);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
    music.SetPaused(false);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
}

TEST_F(BusTest, NullBusesAnswerInvalidHandle)
{
    Bus bus;
    ChannelGroup group;
    EXPECT_FALSE(bus.IsValid());
    EXPECT_EQ(bus.SetVolume(1.0f), Result::InvalidHandle);
    EXPECT_EQ(bus.StopAllEvents(StopMode::Immediate), Result::InvalidHandle);
    EXPECT_EQ(bus.GetChannelGroup(&group), Result::InvalidHandle);
    EXPECT_FALSE(group.IsValid());
}

} // namespace
} // namespace kesto::studio
