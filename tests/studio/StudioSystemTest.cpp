#include "studio/StudioSystem.h"

#include "StudioTestSupport.h"

#include <gtest/gtest.h>

namespace kesto::studio
{
namespace
{

using test::DataFile;

class StudioSystemTest : public test::StudioFixture
{
};

constexpr const char* levelBank = R"(kesto-bank 1
bus "bus:/SFX"
parameter "parameter:/Slow" global default 0 min 0 max 1
parameter "parameter:/Switch" local default 0 min 0 max 1
event "event:/Level" bus "bus:/SFX"
sound "$DATA/level.wav"
effect "parameter:/Switch" "event:/Level" volume 0:1 1:0
)";

TEST(StudioSystemCreate, ChecksTheInterfaceVersion)
{
    std::unique_ptr<StudioSystem> system;
    EXPECT_EQ(StudioSystem::Create(&system, headerVersion + 1), Result::HeaderMismatch);
    EXPECT_EQ(system, nullptr);
    ASSERT_EQ(StudioSystem::Create(&system), Result::Ok);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(StudioSystem::Create(nullptr), Result::InvalidParam);
}

TEST(StudioSystemCreate, RefusesCallsBeforeInitialize)
{
    StudioSystem system;
    Bank bank;
    EventDescription event;
    EXPECT_EQ(system.Update(), Result::NotInitialized);
    EXPECT_EQ(system.LoadBankFile("x.bank", 0, &bank), Result::NotInitialized);
    EXPECT_EQ(system.GetEvent("event:/Level", &event), Result::NotInitialized);
    EXPECT_EQ(system.SetParameterByName("Slow", 1.0f), Result::NotInitialized);
    EXPECT_EQ(system.SetListenerAttributes(0, Attributes3D{}), Result::NotInitialized);
    EXPECT_EQ(system.Release(), Result::NotInitialized);
}

TEST_F(StudioSystemTest, RefusesASecondInitialize) { EXPECT_EQ(system.Initialize(InitDef{}), Result::BadCommand); }

TEST_F(StudioSystemTest, LoadsABankAndFindsItsPaths)
{
    const Bank bank = LoadBank(levelBank);
    EXPECT_TRUE(reports.empty());
    int events = 0;
    ASSERT_EQ(bank.GetEventCount(&events), Result::Ok);
    EXPECT_EQ(events, 1);
    EventDescription description;
    ASSERT_EQ(system.GetEvent("event:/Level", &description), Result::Ok);
    std::string path;
    ASSERT_EQ(description.GetPath(&path), Result::Ok);
    EXPECT_EQ(path, "event:/Level");
    bool oneshot = false;
    ASSERT_EQ(description.IsOneshot(&oneshot), Result::Ok);
    EXPECT_TRUE(oneshot);
    Bus master;
    ASSERT_EQ(system.GetBus("bus:/", &master), Result::Ok);
    ASSERT_EQ(master.GetPath(&path), Result::Ok);
    EXPECT_EQ(path, "bus:/");
    EXPECT_TRUE(GetBus("bus:/SFX").IsValid());
}

TEST_F(StudioSystemTest, UnknownPathsAreReportedAndGiveNullHandles)
{
    LoadBank(levelBank);
    EventDescription description;
    Bus bus;
    ParameterDescription parameter;
    EXPECT_EQ(system.GetEvent("event:/Nope", &description), Result::NotFound);
    EXPECT_FALSE(description.IsValid());
    EXPECT_EQ(system.GetBus("bus:/Nope", &bus), Result::NotFound);
    EXPECT_EQ(system.GetParameterDescriptionByName("parameter:/Nope", &parameter), Result::NotFound);
    ASSERT_EQ(reports.size(), 3U);
    EXPECT_NE(reports[0].find("event:/Nope"), std::string::npos);
    EXPECT_NE(reports[1].find("bus:/Nope"), std::string::npos);
    EXPECT_NE(reports[2].find("parameter:/Nope"), std::string::npos);
    EventInstance instance;
    EXPECT_EQ(description.CreateInstance(&instance), Result::InvalidHandle);
    EXPECT_EQ(bus.SetVolume(1.0f), Result::InvalidHandle);
}

TEST_F(StudioSystemTest, AMissingBankFileIsFileNotFound)
{
    Bank bank;
    EXPECT_EQ(system.LoadBankFile((folder / "Missing.bank").string(), 0, &bank), Result::FileNotFound);
    EXPECT_EQ(static_cast<int>(Result::FileNotFound), 18);
    EXPECT_FALSE(bank.IsValid());
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_NE(reports[0].find("Missing.bank"), std::string::npos);
}

TEST_F(StudioSystemTest, AFileWithoutTheHeaderIsFileBad)
{
    Bank bank;
    EXPECT_EQ(system.LoadBankFile(WriteBank("Bad.bank", "RIFF....binary"), 0, &bank), Result::FileBad);
    EXPECT_FALSE(bank.IsValid());
    EXPECT_EQ(reports.size(), 1U);
}

TEST_F(StudioSystemTest, ASecondLoadOfTheSameFileGivesTheLoadedBank)
{
    const Bank first = LoadBank(levelBank);
    Bank second;
    EXPECT_EQ(system.LoadBankFile((folder / "." / "Test.bank").string(), 0, &second), Result::AlreadyLoaded);
    EXPECT_EQ(first, second);
}

TEST_F(StudioSystemTest, BadLinesAndMissingSoundFilesAreReportedAndSkipped)
{
    LoadBank(R"(kesto-bank 1
bus "bus:/SFX"
event "event:/Good" bus "bus:/SFX"
sound "$DATA/level.wav"
event "event:/Broken" bus "bus:/SFX" volume
sound "$DATA/level.wav"
event "event:/Missing" bus "bus:/SFX"
sound "$DATA/missing.ogg"
sound "$DATA/not_audio.ogg"
event "event:/Good" bus "bus:/SFX"
)");
    // The lines at once; the sound files once they are decoded, which goes on in the background.
    ASSERT_EQ(reports.size(), 3U);
    ASSERT_EQ(system.FlushSampleLoading(), Result::Ok);
    ASSERT_EQ(reports.size(), 5U);
    EXPECT_NE(reports[0].find("Test.bank:5:"), std::string::npos);
    EXPECT_NE(reports[1].find("Test.bank:6:"), std::string::npos);
    EXPECT_NE(reports[2].find("Test.bank:10:"), std::string::npos);
    EXPECT_NE(reports[3].find("Test.bank:8:"), std::string::npos);
    EXPECT_NE(reports[3].find("missing.ogg"), std::string::npos);
    EXPECT_NE(reports[4].find("Test.bank:9:"), std::string::npos);
    EXPECT_NE(reports[4].find("not_audio.ogg"), std::string::npos);

    EventDescription description;
    EXPECT_EQ(system.GetEvent("event:/Broken", &description), Result::NotFound);
    EventInstance missing = Instance("event:/Missing");
    ASSERT_EQ(missing.Start(), Result::Ok);
    EXPECT_FLOAT_EQ(test::Rms(Mix(1000)), 0.0f);
    system.Update();
    EXPECT_EQ(State(missing), PlaybackState::Stopped);

    EventInstance good = Instance("event:/Good");
    ASSERT_EQ(good.Start(), Result::Ok);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
}

TEST_F(StudioSystemTest, EffectsWithUnknownPartsAreReportedOnceAndDoNothing)
{
    LoadBank(R"(kesto-bank 1
bus "bus:/SFX"
parameter "parameter:/Local" local
effect "parameter:/Ghost" "bus:/SFX" volume 0:0
effect "parameter:/Local" "bus:/SFX" volume 0:0
effect "parameter:/Local" "bus:/Nowhere" volume 0:0
event "event:/Level" bus "bus:/SFX"
sound "$DATA/level.wav"
)");
    EXPECT_TRUE(reports.empty());
    system.Update();
    system.Update();
    ASSERT_EQ(reports.size(), 3U);
    EXPECT_NE(reports[0].find("Test.bank:4:"), std::string::npos);
    EXPECT_NE(reports[0].find("not in any loaded bank"), std::string::npos);
    EXPECT_NE(reports[1].find("local parameter cannot drive a bus"), std::string::npos);
    EXPECT_NE(reports[2].find("bus:/Nowhere"), std::string::npos);
    Instance("event:/Level").Start();
    system.Update();
    EXPECT_FLOAT_EQ(Mix(100)[198], 0.5f);
}

TEST_F(StudioSystemTest, BusesNeedTheirParentLoadedFirst)
{
    LoadBank(R"(kesto-bank 1
bus "bus:/A/B"
bus "bus:/A"
)");
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_NE(reports[0].find("\"bus:/A\" is not loaded"), std::string::npos);
    Bus bus;
    EXPECT_EQ(system.GetBus("bus:/A/B", &bus), Result::NotFound);
    EXPECT_TRUE(GetBus("bus:/A").IsValid());
}

TEST_F(StudioSystemTest, PathsDeclaredByAnotherLoadedBankAreSkipped)
{
    LoadBank(levelBank);
    LoadBank(levelBank, "Again.bank");
    EXPECT_EQ(reports.size(), 4U);
    for (const std::string& report : reports)
    {
        EXPECT_NE(report.find("already loaded"), std::string::npos) << report;
    }
}

TEST_F(StudioSystemTest, ParameterDescriptionsCarryTheGlobalFlag)
{
    LoadBank(levelBank);
    ParameterDescription description;
    ASSERT_EQ(system.GetParameterDescriptionByName("parameter:/Slow", &description), Result::Ok);
    EXPECT_EQ(description.name, "Slow");
    EXPECT_FLOAT_EQ(description.maximum, 1.0f);
    EXPECT_TRUE(HasFlag(description.flags, ParameterFlag::Global));
    EXPECT_EQ(description.flags & 4U, 4U);
    ASSERT_EQ(system.GetParameterDescriptionByName("Switch", &description), Result::Ok);
    EXPECT_FALSE(HasFlag(description.flags, ParameterFlag::Global));
}

TEST_F(StudioSystemTest, GlobalParametersAreSetByNameOrPathAndClamped)
{
    LoadBank(levelBank);
    ASSERT_EQ(system.SetParameterByName("Slow", 0.25f), Result::Ok);
    float value = -1.0f;
    float final = -1.0f;
    ASSERT_EQ(system.GetParameterByName("parameter:/Slow", &value, &final), Result::Ok);
    EXPECT_FLOAT_EQ(value, 0.25f);
    ASSERT_EQ(system.SetParameterByName("parameter:/Slow", 7.0f, true), Result::Ok);
    ASSERT_EQ(system.GetParameterByName("Slow", &value, &final), Result::Ok);
    EXPECT_FLOAT_EQ(value, 1.0f);
    EXPECT_FLOAT_EQ(final, 1.0f);
    EXPECT_EQ(system.SetParameterByName("Switch", 1.0f), Result::InvalidParam);
    EXPECT_EQ(system.GetParameterByName("Switch", &value), Result::InvalidParam);
    EXPECT_EQ(system.SetParameterByName("Nope", 1.0f), Result::NotFound);
    EXPECT_TRUE(reports.empty());
}

TEST_F(StudioSystemTest, ParametersSeekTowardTheirValueAsTheMixerRuns)
{
    LoadBank(R"(kesto-bank 1
parameter "parameter:/Smooth" global default 0 min 0 max 1 seek 4
)");
    system.SetParameterByName("Smooth", 1.0f);
    float value = 0.0f;
    float final = 0.0f;
    Mix(3000); // 1/16 s
    system.Update();
    system.GetParameterByName("Smooth", &value, &final);
    EXPECT_FLOAT_EQ(value, 1.0f);
    EXPECT_FLOAT_EQ(final, 0.25f);
    Mix(48000);
    system.Update();
    system.GetParameterByName("Smooth", &value, &final);
    EXPECT_FLOAT_EQ(final, 1.0f);
}

TEST_F(StudioSystemTest, OnlyListenerZeroExists)
{
    Attributes3D attributes;
    attributes.position = {10.0f, 20.0f, 0.0f};
    ASSERT_EQ(system.SetListenerAttributes(0, attributes), Result::Ok);
    EXPECT_EQ(system.SetListenerAttributes(1, attributes), Result::InvalidParam);
    Attributes3D read;
    ASSERT_EQ(system.GetListenerAttributes(0, &read), Result::Ok);
    EXPECT_FLOAT_EQ(read.position.y, 20.0f);
    EXPECT_EQ(system.GetListenerAttributes(0, nullptr), Result::InvalidParam);
}

TEST_F(StudioSystemTest, UnloadingABankStopsItsSoundsAndInvalidatesItsHandles)
{
    Bank bank = LoadBank(levelBank);
    EventInstance instance = Instance("event:/Level");
    Bus sfx = GetBus("bus:/SFX");
    instance.Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
    ASSERT_EQ(bank.Unload(), Result::Ok);
    EXPECT_FALSE(bank.IsValid());
    EXPECT_FALSE(instance.IsValid());
    EXPECT_FALSE(sfx.IsValid());
    EXPECT_EQ(instance.Start(), Result::InvalidHandle);
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.0f);
    EventDescription description;
    EXPECT_EQ(system.GetEvent("event:/Level", &description), Result::NotFound);
    LoadBank(levelBank);
    Instance("event:/Level").Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
}

TEST_F(StudioSystemTest, UnloadAllAndReleaseEndEverything)
{
    LoadBank(levelBank);
    EventInstance instance = Instance("event:/Level");
    instance.Start();
    ASSERT_EQ(system.UnloadAll(), Result::Ok);
    EXPECT_FALSE(instance.IsValid());
    EXPECT_TRUE(GetBus("bus:/").IsValid());
    ASSERT_EQ(system.Release(), Result::Ok);
    EXPECT_EQ(system.Update(), Result::NotInitialized);
    InitDef def;
    def.output = OutputMode::NoOutput;
    ASSERT_EQ(system.Initialize(def), Result::Ok);
    LoadBank(levelBank);
    Instance("event:/Level").Start();
    EXPECT_FLOAT_EQ(Mix(1)[0], 0.5f);
}

} // namespace
} // namespace kesto::studio
