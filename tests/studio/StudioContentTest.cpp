// Checks the game's audio content under Assets/Audio: every bank and path of the GUID list loads cleanly,
// every event makes sound and the music and cinematic files have the right lengths.
#include "StudioTestSupport.h"
#include "studio/StudioSystem.h"

#include <fstream>
#include <gtest/gtest.h>

namespace kesto::studio
{
namespace
{

const std::string buildFolder =
    std::string(KESTO_STUDIO_ASSETS) + "/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/";

struct GuidList
{
    std::vector<std::string> banks;
    std::vector<std::string> events;
    std::vector<std::string> buses;
    std::vector<std::string> parameters;
};

// Classifies lines the way the game's audio system does: the first of "bank", "event", "bus", "parameter"
// found anywhere in the line decides.
GuidList ReadGuidList()
{
    GuidList list;
    std::ifstream file(buildFolder + "GUIDs.txt");
    EXPECT_TRUE(file.good());
    std::string line;
    while (std::getline(file, line))
    {
        if (const auto at = line.find("bank"); at != std::string::npos)
        {
            list.banks.push_back(line.substr(at + 6));
        }
        else if (const auto event = line.find("event"); event != std::string::npos)
        {
            list.events.push_back(line.substr(event));
        }
        else if (const auto bus = line.find("bus"); bus != std::string::npos)
        {
            list.buses.push_back(line.substr(bus));
        }
        else if (const auto parameter = line.find("parameter"); parameter != std::string::npos)
        {
            list.parameters.push_back(line.substr(parameter));
        }
    }
    return list;
}

class StudioContentTest : public test::StudioFixture
{
protected:
    void SetUp() override
    {
        StudioFixture::SetUp();
        list = ReadGuidList();
        for (const std::string& name : list.banks)
        {
            Bank bank;
            ASSERT_EQ(system.LoadBankFile(buildFolder + "Desktop/" + name + ".bank", 0, &bank), Result::Ok) << name;
        }
        system.Update();
    }

    GuidList list;
};

TEST_F(StudioContentTest, EveryPathOfTheGuidListLoadsWithoutAReport)
{
    EXPECT_EQ(list.banks.size(), 4U);
    for (const std::string& path : list.events)
    {
        EventDescription description;
        EXPECT_EQ(system.GetEvent(path, &description), Result::Ok) << path;
    }
    for (const std::string& path : list.buses)
    {
        Bus bus;
        EXPECT_EQ(system.GetBus(path, &bus), Result::Ok) << path;
    }
    for (const std::string& path : list.parameters)
    {
        ParameterDescription description;
        EXPECT_EQ(system.GetParameterDescriptionByName(path, &description), Result::Ok) << path;
        EXPECT_EQ(HasFlag(description.flags, ParameterFlag::Global), description.name != "Laser_OnOff") << path;
    }
    EXPECT_TRUE(reports.empty()) << reports.front();
}

TEST_F(StudioContentTest, HoldsEveryPathTheGameNames)
{
    const std::vector<std::string> events = {"event:/SFX/Player/Jump",
                                             "event:/SFX/Player/Footsteps",
                                             "event:/SFX/Player/Dash_Attack",
                                             "event:/SFX/Player/Player_Death",
                                             "event:/SFX/Player/Player_Respawn",
                                             "event:/SFX/Player/Time Slow",
                                             "event:/SFX/Player/Dash_Recharge_Portal",
                                             "event:/SFX/Enemy/Enemy_Death",
                                             "event:/SFX/Environment/PLATFORM_FALL",
                                             "event:/SFX/Environment/CHECKPOINT",
                                             "event:/SFX/Environment/LASER_TRAP",
                                             "event:/SFX/Environment/Laser_Switch",
                                             "event:/SFX/Environment/FinalLasers",
                                             "event:/SFX/UI/Menu_Hover",
                                             "event:/SFX/UI/Menu_Click",
                                             "event:/SFX/UI/Menu_Back",
                                             "event:/Music/Functionality/Pause_Menu"};
    for (const std::string& path : events)
    {
        EXPECT_NE(std::find(list.events.begin(), list.events.end(), path), list.events.end()) << path;
    }
    for (const char* path :
         {"bus:/", "bus:/SFX", "bus:/SFX/Time_Slow", "bus:/Reverb", "bus:/Music", "bus:/Music/Pause_Menu"})
    {
        EXPECT_NE(std::find(list.buses.begin(), list.buses.end(), path), list.buses.end()) << path;
    }
    for (const char* name : {"Time_Slow", "Pause_Menu", "Portal_Rise", "FinalLasers", "Laser_OnOff"})
    {
        const std::string path = std::string("parameter:/") + name;
        EXPECT_NE(std::find(list.parameters.begin(), list.parameters.end(), path), list.parameters.end()) << path;
    }
}

TEST_F(StudioContentTest, EveryEventMakesSound)
{
    for (const std::string& path : list.events)
    {
        EventInstance instance = Instance(path);
        ASSERT_EQ(instance.Start(), Result::Ok) << path;
        const float level = test::Rms(Mix(24000));
        EXPECT_GT(level, 0.01f) << path;
        EXPECT_LT(level, 0.7f) << path;
        instance.Stop(StopMode::Immediate);
        instance.Release();
        system.Update();
        Mix(24000);
    }
}

TEST_F(StudioContentTest, OneShotsEndAndLoopsKeepGoing)
{
    for (const std::string& path : list.events)
    {
        EventDescription description;
        system.GetEvent(path, &description);
        bool oneshot = false;
        description.IsOneshot(&oneshot);
        EventInstance instance = Instance(path);
        instance.Start();
        Mix(48000 * 3);
        system.Update();
        EXPECT_EQ(State(instance), oneshot ? PlaybackState::Stopped : PlaybackState::Playing) << path;
        instance.Stop(StopMode::Immediate);
    }
}

TEST_F(StudioContentTest, MusicLoopsLastTenToTwentySeconds)
{
    for (const char* name : {"Main_Menu_Loop", "Stage_Loop", "Pause_Menu_Loop"})
    {
        Sound sound;
        ASSERT_EQ(core->CreateSound(buildFolder + "Desktop/Sounds/Music/" + name + ".ogg", Mode::LoopNormal, &sound),
                  Result::Ok);
        unsigned length = 0;
        sound.GetLength(&length, TimeUnit::Ms);
        EXPECT_GE(length, 10000U) << name;
        EXPECT_LE(length, 20000U) << name;
    }
}

// Every loop is made a whole number of seconds long; a decoded length off that grid would tick at the seam.
TEST_F(StudioContentTest, LoopsDecodeToTheirExactLength)
{
    for (const char* name : {"Music/Main_Menu_Loop", "Music/Stage_Loop", "Music/Pause_Menu_Loop",
                             "Player/Time_Slow_Drone", "Environment/Laser_Hum"})
    {
        Sound sound;
        ASSERT_EQ(core->CreateSound(buildFolder + "Desktop/Sounds/" + name + ".ogg", Mode::LoopNormal, &sound),
                  Result::Ok);
        unsigned frames = 0;
        sound.GetLength(&frames, TimeUnit::Pcm);
        EXPECT_EQ(frames % 48000U, 0U) << name << " has " << frames << " frames";
    }
}

TEST_F(StudioContentTest, TheCinematicSoundTracksDecode)
{
    for (const char* name : {"KestoOpeningCinematicD2(NoVox).mp3", "Ending_Cinematic.mp3"})
    {
        Sound sound;
        ASSERT_EQ(core->CreateSound(std::string(KESTO_STUDIO_ASSETS) + "/Cinematics/" + name,
                                    Mode::LoopOff | Mode::TwoD, &sound),
                  Result::Ok)
            << name;
        unsigned length = 0;
        sound.GetLength(&length, TimeUnit::Ms);
        EXPECT_GE(length, 10000U) << name;
        Channel channel;
        core->PlaySound(sound, ChannelGroup(), false, &channel);
        EXPECT_GT(test::Rms(Mix(48000 * 8)), 0.02f) << name;
        channel.Stop();
    }
}

} // namespace
} // namespace kesto::studio
