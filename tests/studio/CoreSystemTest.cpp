#include "studio/CoreSystem.h"

#include "StudioTestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kesto::studio
{
namespace
{

using test::DataFile;

class CoreSystemTest : public test::StudioFixture
{
protected:
    Sound Create(const std::string& name, Mode mode)
    {
        Sound sound;
        EXPECT_EQ(core->CreateSound(DataFile(name), mode, &sound), Result::Ok);
        return sound;
    }

    Channel Play(const Sound& sound, bool paused = false)
    {
        Channel channel;
        EXPECT_EQ(core->PlaySound(sound, ChannelGroup(), paused, &channel), Result::Ok);
        return channel;
    }
};

TEST_F(CoreSystemTest, ReportsTheSoftwareFormat)
{
    int sampleRate = 0;
    int channels = 0;
    ASSERT_EQ(core->GetSoftwareFormat(&sampleRate, &channels), Result::Ok);
    EXPECT_EQ(sampleRate, 48000);
    EXPECT_EQ(channels, 2);
}

TEST_F(CoreSystemTest, PlaysAOneShotOnTheMasterGroupUntilItEnds)
{
    const Sound sound = Create("level.wav", Mode::LoopOff | Mode::TwoD);
    unsigned length = 0;
    ASSERT_EQ(sound.GetLength(&length, TimeUnit::Pcm), Result::Ok);
    EXPECT_EQ(length, 4800U);
    ASSERT_EQ(sound.GetLength(&length, TimeUnit::Ms), Result::Ok);
    EXPECT_EQ(length, 100U);

    Channel channel = Play(sound);
    const std::vector<float> out = Mix(5000);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 4799 + 1], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 4800], 0.0f);
    bool playing = true;
    ASSERT_EQ(channel.IsPlaying(&playing), Result::Ok);
    EXPECT_FALSE(playing);
    ASSERT_EQ(core->Update(), Result::Ok);
    EXPECT_FALSE(channel.IsValid());
    EXPECT_EQ(channel.IsPlaying(&playing), Result::InvalidHandle);
    EXPECT_EQ(channel.Stop(), Result::InvalidHandle);
}

TEST_F(CoreSystemTest, LoopNormalRepeatsUntilStopped)
{
    Channel channel = Play(Create("level.wav", Mode::LoopNormal));
    EXPECT_FLOAT_EQ(Mix(20000)[2 * 19999], 0.5f);
    EXPECT_EQ(ChannelsPlaying(), 1);
    ASSERT_EQ(channel.Stop(), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(10)[0], 0.0f);
    EXPECT_EQ(ChannelsPlaying(), 0);
}

TEST_F(CoreSystemTest, APausedChannelWaits)
{
    Channel channel = Play(Create("level.wav", Mode::Default), true);
    EXPECT_FLOAT_EQ(Mix(100)[0], 0.0f);
    bool paused = false;
    ASSERT_EQ(channel.GetPaused(&paused), Result::Ok);
    EXPECT_TRUE(paused);
    ASSERT_EQ(channel.SetPaused(false), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(100)[0], 0.5f);
}

TEST_F(CoreSystemTest, ChannelVolumeAndFadePoints)
{
    Channel channel = Play(Create("level.wav", Mode::LoopNormal));
    ASSERT_EQ(channel.SetVolume(0.5f), Result::Ok);
    float volume = 0.0f;
    ASSERT_EQ(channel.GetVolume(&volume), Result::Ok);
    EXPECT_FLOAT_EQ(volume, 0.5f);
    Mix(100);
    std::uint64_t dsp = 0;
    std::uint64_t parent = 0;
    ASSERT_EQ(channel.GetDSPClock(&dsp, &parent), Result::Ok);
    EXPECT_EQ(dsp, 100U);
    EXPECT_EQ(parent, 100U);
    ASSERT_EQ(channel.AddFadePoint(parent, 1.0f), Result::Ok);
    ASSERT_EQ(channel.AddFadePoint(parent + 1000, 0.0f), Result::Ok);
    const std::vector<float> out = Mix(1100);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_FLOAT_EQ(out[2 * 500], 0.125f);
    EXPECT_FLOAT_EQ(out[2 * 1000], 0.0f);
    ASSERT_EQ(channel.RemoveFadePoints(0, UINT64_MAX), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.25f);
}

TEST_F(CoreSystemTest, PlaysThroughABusGroup)
{
    LoadBank("kesto-bank 1\nbus \"bus:/Music\" volume 0.5\n");
    ChannelGroup group;
    ASSERT_EQ(GetBus("bus:/Music").GetChannelGroup(&group), Result::Ok);
    Channel channel;
    ASSERT_EQ(core->PlaySound(Create("level.wav", Mode::Default), group, false, &channel), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.25f);
    ASSERT_EQ(group.Stop(), Result::Ok);
    bool playing = true;
    ASSERT_EQ(channel.IsPlaying(&playing), Result::Ok);
    EXPECT_FALSE(playing);
}

TEST_F(CoreSystemTest, ReleasingASoundEndsItsChannels)
{
    Sound sound = Create("level.wav", Mode::LoopNormal);
    Channel channel = Play(sound);
    ASSERT_EQ(sound.Release(), Result::Ok);
    EXPECT_FALSE(sound.IsValid());
    EXPECT_FLOAT_EQ(Mix(10)[0], 0.0f);
    bool playing = true;
    ASSERT_EQ(channel.IsPlaying(&playing), Result::Ok);
    EXPECT_FALSE(playing);
    Channel another;
    EXPECT_EQ(core->PlaySound(sound, ChannelGroup(), false, &another), Result::InvalidHandle);
    EXPECT_EQ(sound.Release(), Result::InvalidHandle);
}

TEST_F(CoreSystemTest, MissingAndUnreadableFilesAreReported)
{
    Sound sound;
    EXPECT_EQ(core->CreateSound(DataFile("missing.mp3"), Mode::Default, &sound), Result::FileNotFound);
    EXPECT_FALSE(sound.IsValid());
    EXPECT_EQ(core->CreateSound(DataFile("not_audio.ogg"), Mode::Default, &sound), Result::Format);
    ASSERT_EQ(reports.size(), 2U);
    EXPECT_NE(reports[0].find("missing.mp3"), std::string::npos);
    EXPECT_NE(reports[1].find("not_audio.ogg"), std::string::npos);
}

TEST_F(CoreSystemTest, DecodesMp3ForCinematics)
{
    const Sound sound = Create("tone.mp3", Mode::LoopOff | Mode::TwoD);
    Mode mode = Mode::Default;
    ASSERT_EQ(sound.GetMode(&mode), Result::Ok);
    EXPECT_TRUE(HasMode(mode, Mode::LoopOff));
    Play(sound);
    EXPECT_GT(test::Rms(Mix(4800)), 0.3f);
}

TEST_F(CoreSystemTest, NullHandlesAndArgumentsAreRefused)
{
    const Channel channel;
    const ChannelGroup group;
    const Sound sound;
    EXPECT_FALSE(channel.IsValid());
    EXPECT_EQ(Channel().Stop(), Result::InvalidHandle);
    EXPECT_EQ(ChannelGroup().AddFadePoint(0, 1.0f), Result::InvalidHandle);
    std::uint64_t clock = 0;
    EXPECT_EQ(group.GetDSPClock(&clock, nullptr), Result::InvalidHandle);
    unsigned length = 0;
    EXPECT_EQ(sound.GetLength(&length, TimeUnit::Ms), Result::InvalidHandle);
    Channel played;
    EXPECT_EQ(core->PlaySound(sound, group, false, &played), Result::InvalidHandle);
    EXPECT_EQ(core->PlaySound(sound, group, false, nullptr), Result::InvalidParam);
    EXPECT_EQ(core->CreateSound(DataFile("level.wav"), Mode::Default, nullptr), Result::InvalidParam);
    EXPECT_EQ(core->Mix(nullptr, 10), Result::InvalidParam);
    EXPECT_EQ(core->Mix(nullptr, 0), Result::Ok);
}

TEST_F(CoreSystemTest, NothingWorksAfterRelease)
{
    const Sound sound = Create("level.wav", Mode::Default);
    ChannelGroup master;
    ASSERT_EQ(core->GetMasterChannelGroup(&master), Result::Ok);
    ASSERT_EQ(system.Release(), Result::Ok);
    EXPECT_FALSE(sound.IsValid());
    EXPECT_FALSE(master.IsValid());
    EXPECT_EQ(master.SetVolume(0.5f), Result::InvalidHandle);
    int rate = 0;
    EXPECT_EQ(core->GetSoftwareFormat(&rate, nullptr), Result::NotInitialized);
    Sound another;
    EXPECT_EQ(core->CreateSound(DataFile("level.wav"), Mode::Default, &another), Result::NotInitialized);
    EXPECT_EQ(core->Mix(nullptr, 0), Result::NotInitialized);
    EXPECT_EQ(system.Release(), Result::NotInitialized);
}

TEST(CoreSystemOutput, SilentOutputRefusesManualMixing)
{
    StudioSystem system;
    std::vector<std::string> reports;
    system.SetReportCallback([&](std::string_view message) { reports.emplace_back(message); });
    InitDef def;
    def.output = OutputMode::Silent;
    ASSERT_EQ(system.Initialize(def), Result::Ok);
    CoreSystem* core = nullptr;
    ASSERT_EQ(system.GetCoreSystem(&core), Result::Ok);
    std::vector<float> out(20);
    EXPECT_EQ(core->Mix(out.data(), 10), Result::BadCommand);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(system.Release(), Result::Ok);
}

// The silent output's thread mixes while this thread changes events and buses (checked by the sanitizer builds).
TEST(CoreSystemOutput, TheApiIsUsableWhileTheOutputThreadMixes)
{
    const std::filesystem::path bank = std::filesystem::temp_directory_path() / "kesto_studio_output_thread.bank";
    std::ofstream(bank) << "kesto-bank 1\nbus \"bus:/SFX\"\nevent \"event:/Level\" bus \"bus:/SFX\" fadeout 0.01\n"
                        << "sound \"" << DataFile("level.wav") << "\" loop\n";
    StudioSystem system;
    InitDef def;
    def.output = OutputMode::Silent;
    ASSERT_EQ(system.Initialize(def), Result::Ok);
    Bank loaded;
    ASSERT_EQ(system.LoadBankFile(bank.string(), 0, &loaded), Result::Ok);
    EventDescription description;
    ASSERT_EQ(system.GetEvent("event:/Level", &description), Result::Ok);
    Bus bus;
    ASSERT_EQ(system.GetBus("bus:/SFX", &bus), Result::Ok);
    ChannelGroup group;
    ASSERT_EQ(bus.GetChannelGroup(&group), Result::Ok);
    for (int i = 0; i < 300; ++i)
    {
        EventInstance instance;
        ASSERT_EQ(description.CreateInstance(&instance), Result::Ok);
        ASSERT_EQ(instance.Start(), Result::Ok);
        bus.SetVolume(static_cast<float>(i % 10) / 10.0f);
        std::uint64_t clock = 0;
        group.GetDSPClock(nullptr, &clock);
        group.AddFadePoint(clock + 10, 0.5f);
        instance.Stop(i % 2 == 0 ? StopMode::Immediate : StopMode::AllowFadeOut);
        instance.Release();
        ASSERT_EQ(system.Update(), Result::Ok);
    }
    EXPECT_EQ(system.Release(), Result::Ok);
    std::filesystem::remove(bank);
}

TEST(CoreSystemOutput, FallsBackToSilentOutputWithOneReportWhenNoDeviceOpens)
{
    StudioSystem system;
    std::vector<std::string> reports;
    system.SetReportCallback([&](std::string_view message) { reports.emplace_back(message); });
    InitDef def;
    def.driver = "kesto-no-such-driver";
    ASSERT_EQ(system.Initialize(def), Result::Ok);
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_NE(reports[0].find("silently"), std::string::npos);
    ASSERT_EQ(system.Update(), Result::Ok);
    EXPECT_EQ(reports.size(), 1U);
}

} // namespace
} // namespace kesto::studio
