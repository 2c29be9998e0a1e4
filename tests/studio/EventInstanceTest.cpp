#include "studio/EventInstance.h"

#include "StudioTestSupport.h"

#include <gtest/gtest.h>

namespace kesto::studio
{
namespace
{

class EventInstanceTest : public test::StudioFixture
{
protected:
    void SetUp() override
    {
        StudioFixture::SetUp();
        LoadBank(R"(kesto-bank 1
bus "bus:/SFX"
bus "bus:/SFX/Quiet" volume 0.5
parameter "parameter:/Laser_OnOff" local default 0 min 0 max 1
event "event:/Level" bus "bus:/SFX"
sound "$DATA/level.wav"
event "event:/Scaled" bus "bus:/SFX/Quiet" volume 0.8
sound "$DATA/level.wav" volume 0.5
event "event:/Loop" bus "bus:/SFX" fadeout 0.01
sound "$DATA/level.wav" loop
event "event:/Held" bus "bus:/SFX" sustain
sound "$DATA/level.wav"
event "event:/Layered" bus "bus:/SFX"
sound "$DATA/level.wav"
sound "$DATA/stereo.wav" delay 0.01
event "event:/Either" bus "bus:/SFX" random
sound "$DATA/level.wav"
sound "$DATA/stereo.wav"
event "event:/Placed" bus "bus:/SFX" range 100 1100
sound "$DATA/level.wav" loop
event "event:/Laser" bus "bus:/SFX"
sound "$DATA/level.wav" loop
effect "parameter:/Laser_OnOff" "event:/Laser" volume 0:1 0.4:0
event "event:/Lost" bus "bus:/Gone"
sound "$DATA/level.wav"
)");
        ASSERT_TRUE(reports.empty());
    }
};

TEST_F(EventInstanceTest, SamplesComeOutOfTheBusAtTheExpectedLevel)
{
    EventInstance instance = Instance("event:/Scaled");
    ASSERT_EQ(instance.Start(), Result::Ok);
    const std::vector<float> out = Mix(4800);
    // file 0.5 x sound 0.5 x event 0.8 x bus 0.5
    for (std::size_t i = 0; i < out.size(); ++i)
    {
        ASSERT_NEAR(out[i], 0.1f, 1e-6f) << i;
    }
}

TEST_F(EventInstanceTest, AOneShotGoesFromStartingToPlayingToStopped)
{
    EventInstance instance = Instance("event:/Level");
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
    ASSERT_EQ(instance.Start(), Result::Ok);
    EXPECT_EQ(State(instance), PlaybackState::Starting);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Playing);
    Mix(4799);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Playing);
    Mix(1);
    EXPECT_EQ(State(instance), PlaybackState::Playing);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
    EXPECT_EQ(ChannelsPlaying(), 0);
}

TEST_F(EventInstanceTest, ASecondStartRestartsTheSameInstance)
{
    EventInstance instance = Instance("event:/Level");
    instance.Start();
    Mix(4000);
    ASSERT_EQ(instance.Start(), Result::Ok);
    EXPECT_EQ(ChannelsPlaying(), 1);
    const std::vector<float> out = Mix(4000);
    // Without the restart the sound would have ended 800 frames in.
    EXPECT_FLOAT_EQ(out[2 * 3999], 0.5f);
    EXPECT_NEAR(test::Rms(out), 0.5f, 1e-6f);
    EventDescription description;
    instance.GetDescription(&description);
    int count = 0;
    description.GetInstanceCount(&count);
    EXPECT_EQ(count, 1);
}

TEST_F(EventInstanceTest, ALayeredEventStartsAllItsSoundsWithTheirDelays)
{
    Instance("event:/Layered").Start();
    EXPECT_EQ(ChannelsPlaying(), 2);
    const std::vector<float> out = Mix(1000);
    EXPECT_FLOAT_EQ(out[2 * 479 + 1], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 480], 1.0f);
    EXPECT_FLOAT_EQ(out[2 * 480 + 1], 0.25f);
}

TEST_F(EventInstanceTest, ARandomEventPlaysOneSoundAndNeverTheSameTwiceInARow)
{
    EventInstance instance = Instance("event:/Either");
    float previousRight = 0.0f;
    for (int i = 0; i < 10; ++i)
    {
        instance.Start();
        EXPECT_EQ(ChannelsPlaying(), 1);
        const float right = Mix(1)[1];
        EXPECT_TRUE(right == 0.5f || right == -0.25f) << right;
        EXPECT_NE(right, previousRight);
        previousRight = right;
        system.Update();
    }
}

TEST_F(EventInstanceTest, StopImmediateSilencesAtOnce)
{
    EventInstance instance = Instance("event:/Loop");
    instance.Start();
    system.Update();
    Mix(100);
    ASSERT_EQ(instance.Stop(StopMode::Immediate), Result::Ok);
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
}

TEST_F(EventInstanceTest, StopAllowingFadeOutFadesThenStops)
{
    EventInstance instance = Instance("event:/Loop");
    instance.Start();
    system.Update();
    Mix(100);
    ASSERT_EQ(instance.Stop(StopMode::AllowFadeOut), Result::Ok);
    EXPECT_EQ(State(instance), PlaybackState::Stopping);
    const std::vector<float> out = Mix(600);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 240], 0.25f);
    EXPECT_FLOAT_EQ(out[2 * 480], 0.0f);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
}

TEST_F(EventInstanceTest, StopAllowingFadeOutWithoutAFadeIsImmediate)
{
    EventInstance instance = Instance("event:/Level");
    instance.Start();
    instance.Stop(StopMode::AllowFadeOut);
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
}

TEST_F(EventInstanceTest, ASustainEventHoldsUntilStopped)
{
    EventInstance instance = Instance("event:/Held");
    instance.Start();
    Mix(5000);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Sustaining);
    bool oneshot = true;
    EventDescription description;
    instance.GetDescription(&description);
    description.IsOneshot(&oneshot);
    EXPECT_FALSE(oneshot);
    instance.Stop(StopMode::AllowFadeOut);
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
}

TEST_F(EventInstanceTest, PositionalEventsAreAttenuatedAndPannedAroundTheListener)
{
    EventInstance instance = Instance("event:/Placed");
    Attributes3D attributes;
    attributes.position = {600.0f, 0.0f, 0.0f};
    ASSERT_EQ(instance.Set3DAttributes(attributes), Result::Ok);
    instance.Start();
    std::vector<float> out = Mix(10);
    // Halfway through the range: level 0.5; 600 / 1100 to the right lowers the left side.
    const float pan = 600.0f / 1100.0f;
    EXPECT_NEAR(out[0], 0.5f * 0.5f * (1.0f - 0.6f * pan), 1e-6f);
    EXPECT_NEAR(out[1], 0.5f * 0.5f, 1e-6f);

    Attributes3D listener;
    listener.position = {600.0f, 50.0f, 0.0f};
    system.SetListenerAttributes(0, listener);
    system.Update();
    out = Mix(100);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 99 + 1], 0.5f);

    attributes.position = {-1000.0f, 50.0f, 0.0f};
    instance.Set3DAttributes(attributes);
    out = Mix(100);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 99 + 1], 0.0f);

    attributes.position = {100.0f, 50.0f, 0.0f};
    instance.Set3DAttributes(attributes);
    out = Mix(100);
    EXPECT_GT(out[2 * 99], out[2 * 99 + 1]);
}

TEST_F(EventInstanceTest, APositionalEventWithoutAttributesPlaysAtTheListener)
{
    Attributes3D listener;
    listener.position = {5000.0f, 0.0f, 0.0f};
    system.SetListenerAttributes(0, listener);
    EventInstance instance = Instance("event:/Placed");
    instance.Start();
    system.Update();
    const std::vector<float> out = Mix(10);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
}

TEST_F(EventInstanceTest, LocalParametersDriveOnlyTheirOwnInstance)
{
    EventInstance first = Instance("event:/Laser");
    EventInstance second = Instance("event:/Laser");
    first.Start();
    second.Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 1.0f);
    ASSERT_EQ(first.SetParameterByName("parameter:/Laser_OnOff", 0.4f), Result::Ok);
    const std::vector<float> out = Mix(100);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.5f);
    float value = 0.0f;
    ASSERT_EQ(first.GetParameterByName("Laser_OnOff", &value), Result::Ok);
    EXPECT_FLOAT_EQ(value, 0.4f);
    ASSERT_EQ(second.GetParameterByName("Laser_OnOff", &value), Result::Ok);
    EXPECT_FLOAT_EQ(value, 0.0f);
    EXPECT_EQ(first.SetParameterByName("Unknown", 1.0f), Result::NotFound);
    EXPECT_EQ(Instance("event:/Level").SetParameterByName("Laser_OnOff", 1.0f), Result::NotFound);
}

TEST_F(EventInstanceTest, VolumePitchAndPause)
{
    EventInstance instance = Instance("event:/Level");
    ASSERT_EQ(instance.SetVolume(0.5f), Result::Ok);
    ASSERT_EQ(instance.SetPitch(2.0f), Result::Ok);
    EXPECT_EQ(instance.SetPitch(0.0f), Result::InvalidParam);
    instance.Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.25f);
    ASSERT_EQ(instance.SetPaused(true), Result::Ok);
    Mix(10000);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Playing);
    instance.SetPaused(false);
    Mix(2400);
    system.Update();
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
}

TEST_F(EventInstanceTest, AnEventOnAMissingBusPlaysNothingAndIsReportedOnce)
{
    EventInstance instance = Instance("event:/Lost");
    EXPECT_EQ(instance.Start(), Result::NotFound);
    EXPECT_EQ(instance.Start(), Result::NotFound);
    EXPECT_EQ(State(instance), PlaybackState::Stopped);
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_NE(reports[0].find("bus:/Gone"), std::string::npos);
    EXPECT_FLOAT_EQ(test::Rms(Mix(100)), 0.0f);
}

TEST_F(EventInstanceTest, AReleasedInstanceLivesUntilItStops)
{
    EventInstance instance = Instance("event:/Level");
    instance.Start();
    ASSERT_EQ(instance.Release(), Result::Ok);
    system.Update();
    EXPECT_TRUE(instance.IsValid());
    EXPECT_FLOAT_EQ(Mix(4800)[2 * 4799], 0.5f);
    system.Update();
    EXPECT_FALSE(instance.IsValid());
    EXPECT_EQ(instance.Start(), Result::InvalidHandle);
}

TEST_F(EventInstanceTest, ReleaseAllInstancesOfADescription)
{
    EventDescription description;
    system.GetEvent("event:/Level", &description);
    EventInstance a;
    EventInstance b;
    description.CreateInstance(&a);
    description.CreateInstance(&b);
    int count = 0;
    description.GetInstanceCount(&count);
    EXPECT_EQ(count, 2);
    description.ReleaseAllInstances();
    system.Update();
    description.GetInstanceCount(&count);
    EXPECT_EQ(count, 0);
}

TEST_F(EventInstanceTest, NullHandlesAnswerInvalidHandle)
{
    EventInstance instance;
    PlaybackState state = PlaybackState::Playing;
    EXPECT_FALSE(instance.IsValid());
    EXPECT_EQ(instance.Start(), Result::InvalidHandle);
    EXPECT_EQ(instance.Stop(StopMode::Immediate), Result::InvalidHandle);
    EXPECT_EQ(instance.Release(), Result::InvalidHandle);
    EXPECT_EQ(instance.GetPlaybackState(&state), Result::InvalidHandle);
    EXPECT_EQ(instance.SetParameterByName("x", 1.0f), Result::InvalidHandle);
    EXPECT_EQ(instance.Set3DAttributes(Attributes3D{}), Result::InvalidHandle);
    EXPECT_EQ(Instance("event:/Level").GetPlaybackState(nullptr), Result::InvalidParam);
}

} // namespace
} // namespace kesto::studio
