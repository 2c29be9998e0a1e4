#pragma once

#include "studio/StudioSystem.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::studio::test
{

// A file of tests/studio/data.
inline std::string DataFile(std::string_view name)
{
    return std::string(KESTO_STUDIO_TEST_DATA) + "/" + std::string(name);
}

inline float Rms(const std::vector<float>& samples, std::size_t first = 0, std::size_t stride = 1)
{
    double sum = 0.0;
    std::size_t count = 0;
    for (std::size_t i = first; i < samples.size(); i += stride)
    {
        sum += static_cast<double>(samples[i]) * samples[i];
        ++count;
    }
    return count == 0 ? 0.0f : static_cast<float>(std::sqrt(sum / static_cast<double>(count)));
}

// A studio system that mixes only when a test pulls frames, with its reports collected and a scratch folder
// for bank files.
class StudioFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("kesto_studio_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        system.SetReportCallback([this](std::string_view message) { reports.emplace_back(message); });
        InitDef def;
        def.output = OutputMode::NoOutput;
        def.randomSeed = 7;
        ASSERT_EQ(system.Initialize(def), Result::Ok);
        ASSERT_EQ(system.GetCoreSystem(&core), Result::Ok);
    }

    void TearDown() override
    {
        system.Release();
        std::filesystem::remove_all(folder);
    }

    // Writes a bank file into the scratch folder; "$DATA" in text becomes the test data folder.
    std::string WriteBank(const std::string& name, std::string text)
    {
        const std::string data = KESTO_STUDIO_TEST_DATA;
        for (std::size_t at = text.find("$DATA"); at != std::string::npos; at = text.find("$DATA", at))
        {
            text.replace(at, 5, data);
        }
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    Bank LoadBank(const std::string& text, const std::string& name = "Test.bank")
    {
        Bank bank;
        EXPECT_EQ(system.LoadBankFile(WriteBank(name, text), 0, &bank), Result::Ok);
        return bank;
    }

    EventInstance Instance(std::string_view path)
    {
        EventDescription description;
        EventInstance instance;
        EXPECT_EQ(system.GetEvent(path, &description), Result::Ok);
        EXPECT_EQ(description.CreateInstance(&instance), Result::Ok);
        return instance;
    }

    Bus GetBus(std::string_view path)
    {
        Bus bus;
        EXPECT_EQ(system.GetBus(path, &bus), Result::Ok);
        return bus;
    }

    // Interleaved stereo frames pulled from the mixer.
    std::vector<float> Mix(int frames)
    {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        EXPECT_EQ(core->Mix(out.data(), frames), Result::Ok);
        return out;
    }

    PlaybackState State(const EventInstance& instance)
    {
        PlaybackState state = PlaybackState::Stopped;
        EXPECT_EQ(instance.GetPlaybackState(&state), Result::Ok);
        return state;
    }

    int ChannelsPlaying()
    {
        int channels = -1;
        EXPECT_EQ(core->GetChannelsPlaying(&channels), Result::Ok);
        return channels;
    }

    bool Reported(std::string_view part) const
    {
        for (const std::string& report : reports)
        {
            if (report.find(part) != std::string::npos)
            {
                return true;
            }
        }
        return false;
    }

    std::filesystem::path folder;
    StudioSystem system;
    CoreSystem* core = nullptr;
    std::vector<std::string> reports;
};

} // namespace kesto::studio::test
