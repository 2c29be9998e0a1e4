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

using test::AudioData;
using test::AudioWorld;
using test::jumpEvent;

TEST(AudioInit, AMissingGuidListLoadsNothingAndIsReportedOnce)
{
    AudioWorld world;
    world.audio->guidListFile = AudioData("Nowhere.txt");
    world.Init();
    EXPECT_TRUE(world.audio->EventPaths().empty());
    EXPECT_FALSE(world.audio->FindBus("bus:/").IsValid());
    EXPECT_EQ(world.trace->Text(), "AUDIO: " + AudioData("Nowhere.txt") +
                                       ": cannot open the GUID list; no bank, event, bus or parameter is loaded\n");
    // Nothing audible happens, and nothing breaks.
    world.audio->PlayEvent(jumpEvent);
    world.audio->SetMasterVolume(0.5f);
    world.Frame();
    EXPECT_FALSE(world.audio->FindInstance(jumpEvent).IsValid());
    EXPECT_EQ(world.audio->masterVolume, 0.5f);
    EXPECT_EQ(test::Rms(world.Mix(800)), 0.0f);
}

TEST(AudioInit, AnEventPathContainingBankIsTakenForABank)
{
    test::ScratchFolder scratch;
    const std::string list = scratch.File("GUIDs.txt");
    std::ofstream(list) << "{1} bank:/Game\r\n{2} event:/SFX/Player/Jump\r\n{3} event:/SFX/Piggybank_Smash\r\n";
    AudioWorld world;
    world.audio->guidListFile = list;
    world.Init();
    EXPECT_EQ(world.audio->EventPaths(), std::vector<std::string>{jumpEvent});
    EXPECT_FALSE(world.audio->HasEvent("event:/SFX/Piggybank_Smash"));
    // The "bank" line named the bank "mash".
    EXPECT_NE(world.trace->Text().find("Desktop/mash.bank: cannot open the bank file"), std::string::npos)
        << world.trace->Text();
}

TEST(AudioInit, TheStudioLayersReportsGoToTheTrace)
{
    test::ScratchFolder scratch;
    const std::string list = scratch.File("GUIDs.txt");
    std::ofstream(list) << "{1} bank:/Master\n{2} event:/SFX/Nope\n{3} bus:/Nowhere\n{4} parameter:/Nothing\n";
    AudioWorld world;
    world.audio->guidListFile = list;
    world.Init();
    EXPECT_EQ(world.trace->Text(), "AUDIO: event \"event:/SFX/Nope\" is not in any loaded bank\n"
                                   "AUDIO: bus \"bus:/Nowhere\" is not in any loaded bank\n"
                                   "AUDIO: parameter \"parameter:/Nothing\" is not in any loaded bank\n");
    EXPECT_TRUE(world.audio->EventPaths().empty());
    EXPECT_TRUE(world.audio->ParameterPaths().empty());
}

} // namespace
} // namespace kesto
