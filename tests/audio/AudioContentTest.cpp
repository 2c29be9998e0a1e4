#include "audio/Audio.h"
#include "audio/AudioWorld.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

const std::string buildFolder = KESTO_ASSETS "/Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/";

// The event paths of the game's GUID list, read independently of the audio system.
std::vector<std::string> EventLines()
{
    std::vector<std::string> paths;
    std::ifstream file(buildFolder + "GUIDs.txt");
    std::string line;
    while (std::getline(file, line))
    {
        const std::size_t at = line.find(" event:/");
        if (at != std::string::npos)
        {
            paths.push_back(line.substr(at + 1));
        }
    }
    return paths;
}

// The game's committed sound content, loaded the way the game loads it but mixed only on demand.
class AudioContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Found under the asset root the way the game finds them.
        const Audio game(KESTO_ASSETS "/");
        audio.bankFolder = game.bankFolder;
        audio.guidListFile = game.guidListFile;
        audio.preloadedCinematics = game.preloadedCinematics;
        world.Init();
    }

    test::AudioWorld world;
    Audio& audio = *world.audio;
};

TEST_F(AudioContentTest, EveryEventOfTheGuidListIsFound)
{
    EXPECT_EQ(audio.lastResult, studio::Result::Ok);
    EXPECT_EQ(world.trace->Text(), "");
    const std::vector<std::string> listed = EventLines();
    ASSERT_EQ(listed.size(), 22u);
    EXPECT_EQ(audio.EventPaths(), listed);
    for (const std::string& path : listed)
    {
        EXPECT_TRUE(audio.HasEvent(path)) << path;
    }
    EXPECT_EQ(audio.ParameterPaths().size(), 5u);
    EXPECT_TRUE(audio.FindBus("bus:/Music/Pause_Menu").IsValid());
}

TEST_F(AudioContentTest, AJumpIsHeard)
{
    audio.PlayEvent("event:/SFX/Player/Jump");
    world.Frame();
    EXPECT_GT(test::Rms(world.Mix(4800)), 0.01f);
    EXPECT_EQ(audio.lastResult, studio::Result::Ok);
}

TEST_F(AudioContentTest, TheCinematicTracksArePreloaded)
{
    audio.PlayCinematicSound(KESTO_ASSETS "/Audio/Cinematics/Ending_Cinematic.avi", false);
    EXPECT_TRUE(test::IsPlaying(audio.cinematicChannel));
    EXPECT_GT(test::Rms(world.Mix(48000)), 0.01f);
    EXPECT_EQ(world.trace->Text(), "");
}

} // namespace
} // namespace kesto
