#include "studio/Mixer.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace kesto::studio::detail
{
namespace
{

constexpr int rate = 48000;

// Appends a frame of two levels, each a whole number of sample steps that a sample holds, so the mixer reads
// exactly these levels.
void AddFrame(SampleBuffer& buffer, float left, float right)
{
    for (const float level : {left, right})
    {
        const float steps = level / SampleBuffer::step;
        EXPECT_EQ(steps, std::round(steps)) << level << " is not a whole number of steps";
        EXPECT_TRUE(steps >= INT16_MIN && steps <= INT16_MAX) << level << " is beyond full scale";
        buffer.samples.push_back(static_cast<std::int16_t>(steps));
    }
}

std::shared_ptr<const SampleBuffer> Constant(float left, float right, std::size_t frames)
{
    auto buffer = std::make_shared<SampleBuffer>();
    for (std::size_t i = 0; i < frames; ++i)
    {
        AddFrame(*buffer, left, right);
    }
    return buffer;
}

// Frame i holds the value i / 1024 on both sides, so a read position shows in the output.
std::shared_ptr<const SampleBuffer> Ramp(std::size_t frames)
{
    auto buffer = std::make_shared<SampleBuffer>();
    for (std::size_t i = 0; i < frames; ++i)
    {
        AddFrame(*buffer, static_cast<float>(i) / 1024.0f, static_cast<float>(i) / 1024.0f);
    }
    return buffer;
}

class MixerTest : public ::testing::Test
{
protected:
    std::vector<float> Render(int frames)
    {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        mixer.Render(out.data(), frames);
        return out;
    }

    Mixer mixer{rate, 8};
};

TEST_F(MixerTest, CountsTheClockInRenderedFrames)
{
    EXPECT_EQ(mixer.Clock(), 0U);
    Render(1000);
    Render(24);
    EXPECT_EQ(mixer.Clock(), 1024U);
}

TEST_F(MixerTest, MixesVoicesThroughNestedGroupsWithTheirGains)
{
    const ControlId bus = mixer.AddGroup(mixer.MasterGroup(), GroupMix{0.5f});
    const ControlId child = mixer.AddGroup(bus, GroupMix{0.5f});
    mixer.AddVoice(child, Constant(0.75f, -0.375f, 1000), VoiceDef{0.5f});
    mixer.AddVoice(bus, Constant(0.125f, 0.125f, 1000), VoiceDef{});
    const std::vector<float> out = Render(100);
    EXPECT_FLOAT_EQ(out[0], 0.75f * 0.5f * 0.5f * 0.5f + 0.125f * 0.5f);
    EXPECT_FLOAT_EQ(out[1], -0.375f * 0.5f * 0.5f * 0.5f + 0.125f * 0.5f);
    EXPECT_FLOAT_EQ(out[198], out[0]);
}

TEST_F(MixerTest, EndsAOneShotAtItsLastFrame)
{
    const ControlId voice = mixer.AddVoice(mixer.MasterGroup(), Constant(0.5f, 0.5f, 300), VoiceDef{});
    const std::vector<float> out = Render(400);
    EXPECT_FLOAT_EQ(out[2 * 299], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 300], 0.0f);
    bool playing = true;
    ASSERT_TRUE(mixer.IsPlaying(voice, playing));
    EXPECT_FALSE(playing);
    EXPECT_EQ(mixer.CountPlayingVoices(), 0);
    mixer.PurgeEndedVoices();
    EXPECT_FALSE(mixer.Exists(voice));
}

TEST_F(MixerTest, LoopsWrapAround)
{
    VoiceDef def;
    def.loop = true;
    mixer.AddVoice(mixer.MasterGroup(), Ramp(100), def);
    const std::vector<float> out = Render(250);
    EXPECT_FLOAT_EQ(out[2 * 99], 99.0f / 1024.0f);
    EXPECT_FLOAT_EQ(out[2 * 100], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 249], 49.0f / 1024.0f);
    EXPECT_EQ(mixer.CountPlayingVoices(), 1);
}

TEST_F(MixerTest, PitchChangesTheReadSpeedAndGroupPitchMultiplies)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{1.0f, 2.0f});
    VoiceDef def;
    def.pitch = 1.5f;
    mixer.AddVoice(group, Ramp(1000), def);
    const std::vector<float> out = Render(100);
    EXPECT_NEAR(out[2 * 10], 30.0f / 1024.0f, 1e-6f);
    EXPECT_NEAR(out[2 * 11], 33.0f / 1024.0f, 1e-6f);
    Render(300);
    EXPECT_EQ(mixer.CountPlayingVoices(), 0);
}

TEST_F(MixerTest, InterpolatesBetweenFrames)
{
    VoiceDef def;
    def.pitch = 0.5f;
    mixer.AddVoice(mixer.MasterGroup(), Ramp(10), def);
    const std::vector<float> out = Render(4);
    EXPECT_NEAR(out[2], 0.5f / 1024.0f, 1e-7f);
    EXPECT_NEAR(out[6], 1.5f / 1024.0f, 1e-7f);
}

TEST_F(MixerTest, FadePointsScheduleTheVolumeByClock)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    mixer.AddVoice(group, Constant(0.5f, 0.5f, 10000), VoiceDef{});
    ASSERT_TRUE(mixer.AddFadePoint(group, FadePoint{1000, 1.0f}));
    ASSERT_TRUE(mixer.AddFadePoint(group, FadePoint{3000, 0.0f}));
    const std::vector<float> out = Render(4000);
    EXPECT_FLOAT_EQ(out[2 * 500], 0.5f);   // before the first point: untouched
    EXPECT_FLOAT_EQ(out[2 * 1000], 0.5f);  // at the first point
    EXPECT_FLOAT_EQ(out[2 * 2000], 0.25f); // halfway
    EXPECT_NEAR(out[2 * 2999], 0.5f / 2000.0f, 1e-6f);
    EXPECT_FLOAT_EQ(out[2 * 3000], 0.0f); // the target, reached at its clock
    EXPECT_FLOAT_EQ(out[2 * 3999], 0.0f); // and held

    ASSERT_TRUE(mixer.RemoveFadePoints(group, 3000, 3000));
    std::vector<FadePoint> points;
    ASSERT_TRUE(mixer.GetFadePoints(group, points));
    ASSERT_EQ(points.size(), 1U);
    EXPECT_EQ(points[0].clock, 1000U);
    EXPECT_FLOAT_EQ(Render(10)[0], 0.5f);
}

TEST_F(MixerTest, AFadePointAtAnExistingClockReplacesIt)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    mixer.AddFadePoint(group, FadePoint{50, 0.2f});
    mixer.AddFadePoint(group, FadePoint{10, 1.0f});
    mixer.AddFadePoint(group, FadePoint{50, 0.7f});
    std::vector<FadePoint> points;
    mixer.GetFadePoints(group, points);
    ASSERT_EQ(points.size(), 2U);
    EXPECT_EQ(points[0].clock, 10U);
    EXPECT_FLOAT_EQ(points[1].volume, 0.7f);
    mixer.RemoveFadePoints(group, 0, UINT64_MAX);
    mixer.GetFadePoints(group, points);
    EXPECT_TRUE(points.empty());
}

TEST_F(MixerTest, VolumeChangesRampInsteadOfJumping)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    mixer.AddVoice(group, Constant(0.5f, 0.5f, 10000), VoiceDef{});
    Render(10);
    mixer.SetVolume(group, 0.0f);
    const std::vector<float> out = Render(100);
    EXPECT_GT(out[0], 0.45f);
    EXPECT_GT(out[2 * 32], 0.15f);
    EXPECT_LT(out[2 * 32], 0.35f);
    EXPECT_FLOAT_EQ(out[2 * 63], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.0f);
}

TEST_F(MixerTest, APausedGroupHoldsItsVoicesWhereTheyAre)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    const ControlId inner = mixer.AddGroup(group, GroupMix{});
    mixer.AddVoice(inner, Ramp(1000), VoiceDef{});
    Render(10);
    mixer.SetPaused(group, true);
    const std::vector<float> paused = Render(100);
    EXPECT_FLOAT_EQ(paused[0], 0.0f);
    mixer.SetPaused(group, false);
    EXPECT_NEAR(Render(1)[0], 10.0f / 1024.0f, 1e-6f);
}

TEST_F(MixerTest, StoppingAGroupEndsEveryVoiceBelowIt)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    const ControlId inner = mixer.AddGroup(group, GroupMix{});
    mixer.AddVoice(inner, Constant(0.5f, 0.5f, 1000), VoiceDef{});
    const ControlId other = mixer.AddVoice(mixer.MasterGroup(), Constant(0.25f, 0.25f, 1000), VoiceDef{});
    ASSERT_TRUE(mixer.Stop(group));
    bool playing = true;
    mixer.IsPlaying(group, playing);
    EXPECT_FALSE(playing);
    mixer.IsPlaying(other, playing);
    EXPECT_TRUE(playing);
    EXPECT_FLOAT_EQ(Render(1)[0], 0.25f);
}

TEST_F(MixerTest, ReleaseFadesOutThenEndsTheVoices)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    mixer.AddVoice(group, Constant(0.5f, 0.5f, 100000), VoiceDef{});
    mixer.ReleaseGroup(group, 1000);
    const std::vector<float> out = Render(1200);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 500], 0.25f);
    EXPECT_FLOAT_EQ(out[2 * 1100], 0.0f);
    bool playing = true;
    mixer.IsPlaying(group, playing);
    EXPECT_FALSE(playing);
}

TEST_F(MixerTest, RestartFadesInFromSilence)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    mixer.AddVoice(group, Constant(0.5f, 0.5f, 100000), VoiceDef{});
    mixer.RestartGroup(group, 1000);
    mixer.AddVoice(group, Constant(0.5f, 0.5f, 100000), VoiceDef{});
    EXPECT_EQ(mixer.CountPlayingVoices(), 1);
    const std::vector<float> out = Render(1200);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 500], 0.25f);
    EXPECT_FLOAT_EQ(out[2 * 1100], 0.5f);
}

TEST_F(MixerTest, AStartClockDelaysAVoice)
{
    VoiceDef def;
    def.startClock = 100;
    mixer.AddVoice(mixer.MasterGroup(), Ramp(1000), def);
    const std::vector<float> out = Render(200);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 100], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 101], 1.0f / 1024.0f);
}

TEST_F(MixerTest, BalanceSetsEachSide)
{
    GroupMix mix;
    mix.left = 0.25f;
    mix.right = 0.75f;
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), mix);
    mixer.AddVoice(group, Constant(0.5f, 0.5f, 100), VoiceDef{});
    const std::vector<float> out = Render(1);
    EXPECT_FLOAT_EQ(out[0], 0.125f);
    EXPECT_FLOAT_EQ(out[1], 0.375f);
}

TEST_F(MixerTest, LowpassDampsHighFrequencies)
{
    auto buzz = std::make_shared<SampleBuffer>();
    for (int i = 0; i < 4800; ++i)
    {
        const float value = (i % 2 == 0) ? 0.5f : -0.5f; // the highest frequency there is
        AddFrame(*buzz, value, value);
    }
    GroupMix mix;
    mix.lowpassHz = 500.0f;
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), mix);
    mixer.AddVoice(group, buzz, VoiceDef{});
    const std::vector<float> out = Render(4800);
    for (int i = 100; i < 4800; ++i)
    {
        ASSERT_LT(std::abs(out[2 * i]), 0.05f);
    }
}

TEST_F(MixerTest, EchoRepeatsTheSoundAfterItsDelay)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    mixer.SetGroupEcho(group, 100.0f / rate, 0.5f);
    mixer.AddVoice(group, Constant(0.75f, 0.75f, 1), VoiceDef{});
    const std::vector<float> out = Render(400);
    EXPECT_FLOAT_EQ(out[0], 0.75f);
    EXPECT_FLOAT_EQ(out[2 * 50], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 100], 0.375f);
    EXPECT_FLOAT_EQ(out[2 * 200], 0.1875f);
}

TEST_F(MixerTest, ClampsTheOutputToFullScale)
{
    mixer.AddVoice(mixer.MasterGroup(), Constant(0.75f, -0.75f, 10), VoiceDef{});
    mixer.AddVoice(mixer.MasterGroup(), Constant(0.75f, -0.75f, 10), VoiceDef{});
    const std::vector<float> out = Render(1);
    EXPECT_FLOAT_EQ(out[0], 1.0f);
    EXPECT_FLOAT_EQ(out[1], -1.0f);
}

TEST_F(MixerTest, RefusesVoicesBeyondTheLimit)
{
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_NE(mixer.AddVoice(mixer.MasterGroup(), Constant(0.0f, 0.0f, 100), VoiceDef{}), noControl);
    }
    EXPECT_EQ(mixer.AddVoice(mixer.MasterGroup(), Constant(0.0f, 0.0f, 100), VoiceDef{}), noControl);
    Render(200);
    EXPECT_NE(mixer.AddVoice(mixer.MasterGroup(), Constant(0.0f, 0.0f, 100), VoiceDef{}), noControl);
}

TEST_F(MixerTest, RemovingAGroupRemovesItsSubtreeButNeverTheMaster)
{
    const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{});
    const ControlId inner = mixer.AddGroup(group, GroupMix{});
    const ControlId voice = mixer.AddVoice(inner, Constant(0.5f, 0.5f, 100), VoiceDef{});
    mixer.RemoveGroup(group);
    EXPECT_FALSE(mixer.Exists(group));
    EXPECT_FALSE(mixer.Exists(inner));
    EXPECT_FALSE(mixer.Exists(voice));
    mixer.RemoveGroup(mixer.MasterGroup());
    EXPECT_TRUE(mixer.Exists(mixer.MasterGroup()));
    EXPECT_EQ(mixer.AddGroup(group, GroupMix{}), noControl);
    EXPECT_EQ(mixer.AddVoice(group, Constant(0.5f, 0.5f, 100), VoiceDef{}), noControl);
}

TEST_F(MixerTest, UnknownIdsAreRefused)
{
    float volume = 0.0f;
    bool flag = false;
    std::vector<FadePoint> points;
    EXPECT_FALSE(mixer.SetVolume(999, 1.0f));
    EXPECT_FALSE(mixer.GetVolume(999, volume));
    EXPECT_FALSE(mixer.SetPaused(999, true));
    EXPECT_FALSE(mixer.IsPlaying(999, flag));
    EXPECT_FALSE(mixer.Stop(999));
    EXPECT_FALSE(mixer.AddFadePoint(999, FadePoint{}));
    EXPECT_FALSE(mixer.RemoveFadePoints(999, 0, 1));
    EXPECT_FALSE(mixer.GetFadePoints(999, points));
    EXPECT_FALSE(mixer.SetGroupMix(999, GroupMix{}));
    EXPECT_FALSE(mixer.ReleaseGroup(999, 10));
}

// Changes made while another thread renders must not race (checked by the sanitizer builds).
TEST_F(MixerTest, RendersOnAnotherThreadWhileTheGraphChanges)
{
    std::thread output(
        [this]
        {
            std::vector<float> block(512);
            for (int i = 0; i < 400; ++i)
            {
                mixer.Render(block.data(), 256);
            }
        });
    const auto samples = Constant(0.125f, 0.125f, 500);
    for (int i = 0; i < 400; ++i)
    {
        const ControlId group = mixer.AddGroup(mixer.MasterGroup(), GroupMix{0.5f});
        mixer.AddVoice(group, samples, VoiceDef{});
        mixer.AddFadePoint(group, FadePoint{mixer.Clock() + 100, 0.5f});
        mixer.SetGroupMix(group, GroupMix{0.25f});
        mixer.PurgeEndedVoices();
        mixer.RemoveGroup(group);
    }
    output.join();
    EXPECT_EQ(mixer.Clock(), 400U * 256U);
}

} // namespace
} // namespace kesto::studio::detail
