#include "audio/Audio.h"
#include "audio/AudioWorld.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using studio::PlaybackState;
using test::AudioData;
using test::AudioWorld;
using test::IsPlaying;
using test::laserEvent;
using test::stageEvent;

float BusVolume(const Audio& audio, const std::string& path)
{
    float volume = -1.0f;
    EXPECT_EQ(audio.FindBus(path).GetVolume(&volume), studio::Result::Ok) << path;
    return volume;
}

class AudioMixTest : public test::AudioFixture
{
};

TEST_F(AudioMixTest, VolumesAreClampedAndPushedToTheirBuses)
{
    audio.SetMasterVolume(1.5f);
    EXPECT_EQ(audio.masterVolume, 1.0f);
    audio.SetSFXVolume(-0.2f);
    EXPECT_EQ(audio.sfxVolume, 0.0f);
    audio.SetMusicVolume(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(audio.musicVolume, 0.0f);

    audio.SetSFXVolume(0.5f);
    audio.SetMusicVolume(0.25f);
    audio.SetMasterVolume(0.5f);
    for (const char* bus : {"bus:/SFX", "bus:/Reverb", "bus:/SFX/Time_Slow"})
    {
        EXPECT_FLOAT_EQ(BusVolume(audio, bus), 0.25f) << bus;
    }
    for (const char* bus : {"bus:/Music", "bus:/Music/Pause_Menu"})
    {
        EXPECT_FLOAT_EQ(BusVolume(audio, bus), 0.125f) << bus;
    }
    EXPECT_FLOAT_EQ(BusVolume(audio, "bus:/"), 1.0f);
    EXPECT_EQ(audio.lastResult, studio::Result::Ok);
}

TEST_F(AudioMixTest, ABusThatIsNotLoadedLeavesItsErrorInLastResult)
{
    audio.SetBusVolume("bus:/Nowhere", 0.5f);
    EXPECT_EQ(audio.lastResult, studio::Result::InvalidHandle);
}

TEST_F(AudioMixTest, StoppingTheMusicLeavesTheOtherSoundsPlaying)
{
    // What leaving "Main Menu" does: only the music stops.
    audio.PlayEvent(stageEvent);
    audio.PlayEvent(laserEvent);
    audio.PlayCinematicSound(AudioData("Cinematics/clip.avi"), true);
    world.Frame();
    audio.StopMusic(AudioStopMode::Immediate);
    EXPECT_EQ(world.State(stageEvent), PlaybackState::Stopped);
    EXPECT_EQ(world.State(laserEvent), PlaybackState::Playing);
    EXPECT_TRUE(IsPlaying(audio.cinematicChannel));
    world.Frame();
    EXPECT_GT(test::Rms(world.Mix(800)), 0.01f);

    // What leaving any other level adds.
    audio.StopAllSounds();
    audio.StopCinematicChannel();
    EXPECT_EQ(world.State(laserEvent), PlaybackState::Stopped);
    EXPECT_FALSE(IsPlaying(audio.cinematicChannel));
    EXPECT_EQ(test::Rms(world.Mix(800)), 0.0f);
}

TEST_F(AudioMixTest, FadeMusicSchedulesTheMusicBusFromTheMusicVolume)
{
    audio.SetMusicVolume(0.5f);
    world.Mix(1000);
    audio.FadeMusic(2.0f, 0.0f);
    ASSERT_TRUE(audio.musicChannel.IsValid());
    EXPECT_EQ(audio.parentClock, 1000u);
    std::vector<studio::FadePoint> points;
    ASSERT_EQ(audio.musicChannel.GetFadePoints(&points), studio::Result::Ok);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].clock, 1000u);
    EXPECT_EQ(points[0].volume, 0.5f);
    EXPECT_EQ(points[1].clock, 1000u + 96000u);
    EXPECT_EQ(points[1].volume, 0.0f);

    audio.RefreshMusicChannel();
    audio.RemoveAllFadePoints();
    ASSERT_EQ(audio.musicChannel.GetFadePoints(&points), studio::Result::Ok);
    EXPECT_TRUE(points.empty());
}

TEST_F(AudioMixTest, AFadeOfNegativeLengthEndsAtOnceInsteadOfWrapping)
{
    world.Mix(500);
    audio.FadeMusic(-1.0f, 0.25f);
    std::vector<studio::FadePoint> points;
    ASSERT_EQ(audio.musicChannel.GetFadePoints(&points), studio::Result::Ok);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].clock, 500u);
    EXPECT_EQ(points[0].volume, 0.25f);
}

TEST_F(AudioMixTest, FadeLengthsOutOfRangeAreClampedAndReportedOnce)
{
    struct Case
    {
        float seconds;
        std::uint64_t endAfter; // frames after the start point at 48 kHz
        const char* named;
    };
    const Case cases[] = {
        {1e30f, 48000ull * 3600ull, "fade length 1000000015047466219876688855040.000000 s"},
        {std::numeric_limits<float>::infinity(), 48000ull * 3600ull, "fade length inf s"},
        {std::numeric_limits<float>::quiet_NaN(), 0, "fade length nan s"},
        {-1.0f, 0, "fade length -1.000000 s"},
    };
    for (const Case& c : cases)
    {
        world.Mix(100);
        const std::size_t before = world.trace->ReportCount();
        audio.FadeMusic(c.seconds, 0.0f);
        std::vector<studio::FadePoint> points;
        ASSERT_EQ(audio.musicChannel.GetFadePoints(&points), studio::Result::Ok);
        ASSERT_FALSE(points.empty()) << c.named;
        EXPECT_EQ(points.back().clock, audio.parentClock + c.endAfter) << c.named;
        EXPECT_EQ(world.trace->ReportCount() - before, 1u) << c.named;
        EXPECT_NE(world.trace->Text().find(std::string("AUDIO: ") + c.named + " is out of range"), std::string::npos)
            << world.trace->Text();
        audio.RemoveAllFadePoints();
    }
}

TEST_F(AudioMixTest, FadeCinematicFadesTheCinematicChannelAndKeepsTheMusicClocks)
{
    audio.PlayCinematicSound(AudioData("Cinematics/clip.avi"), false);
    world.Mix(480);
    audio.FadeMusic(0.5f, 0.0f);
    audio.FadeCinematic(0.01f, 0.0f);
    EXPECT_EQ(audio.parentClock, 480u);
    std::vector<studio::FadePoint> points;
    ASSERT_EQ(audio.cinematicChannel.GetFadePoints(&points), studio::Result::Ok);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].clock, 480u);
    EXPECT_EQ(points[0].volume, 1.0f);
    EXPECT_EQ(points[1].clock, 960u);
    // Past the fade's end the cinematic is silent.
    world.Mix(480);
    EXPECT_EQ(test::Rms(world.Mix(480)), 0.0f);

    audio.RemoveAllFadePoints();
    ASSERT_EQ(audio.cinematicChannel.GetFadePoints(&points), studio::Result::Ok);
    EXPECT_TRUE(points.empty());
}

TEST_F(AudioMixTest, ACinematicSoundIsTheMp3BesideTheVideo)
{
    EXPECT_FALSE(audio.cinematicChannel.IsValid());
    audio.PlayCinematicSound(AudioData("Cinematics/clip.avi"), false);
    EXPECT_TRUE(IsPlaying(audio.cinematicChannel));
    EXPECT_GT(test::Rms(world.Mix(4800)), 0.01f);
    EXPECT_EQ(world.trace->Text(), "");
}

TEST(AudioCinematic, PreloadedSoundsPlayWithoutTheirFile)
{
    test::ScratchFolder scratch;
    const std::string copy = scratch.File("intro.mp3");
    std::filesystem::copy_file(AudioData("Cinematics/clip.mp3"), copy);
    AudioWorld world;
    world.audio->preloadedCinematics = {copy};
    world.Init();
    std::filesystem::remove(copy);
    world.audio->PlayCinematicSound(scratch.File("intro.avi"), false);
    EXPECT_TRUE(IsPlaying(world.audio->cinematicChannel));
    EXPECT_EQ(world.trace->Text(), "");
}

TEST(AudioCinematic, AMissingFilePlaysNothingAndIsTriedAgainLater)
{
    test::ScratchFolder scratch;
    AudioWorld world;
    world.Init();
    world.audio->PlayCinematicSound(scratch.File("outro.avi"), true);
    EXPECT_FALSE(world.audio->cinematicChannel.IsValid());
    EXPECT_EQ(world.trace->Text(),
              "AUDIO: " + scratch.File("outro.mp3") + ": cannot open the cinematic sound; the video plays silent\n");

    std::filesystem::copy_file(AudioData("Cinematics/clip.mp3"), scratch.File("outro.mp3"));
    world.audio->PlayCinematicSound(scratch.File("outro.avi"), true);
    EXPECT_TRUE(IsPlaying(world.audio->cinematicChannel));
    // Looping: still playing well past the clip's 0.34 s.
    world.Mix(48000);
    world.Frame();
    EXPECT_TRUE(IsPlaying(world.audio->cinematicChannel));
}

} // namespace
} // namespace kesto
