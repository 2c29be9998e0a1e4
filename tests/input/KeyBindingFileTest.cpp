#include "input/KeyBindingFile.h"

#include "ecs/JsonReader.h"
#include "engine/Trace.h"
#include "input/DefaultBindings.h"
#include "input/MasterInputManager.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using Codes = std::vector<int>;

class KeyBindingFileTest : public ::testing::Test
{
protected:
    KeyBindingFileTest()
    {
        trace.echo = nullptr;
        AddPlayerBindings(bindings);
    }

    void Read(const std::string& text)
    {
        ASSERT_TRUE(reader.Parse(text, "KeyBindings.json", &trace)) << trace.Text();
        ReadKeyBindings(reader, bindings, &trace);
    }

    // Each report is one line naming the file; `fragment` must be in exactly one of them.
    void ExpectOneReport(const std::string& fragment) const
    {
        std::istringstream lines(trace.Text());
        int matches = 0;
        for (std::string line; std::getline(lines, line);)
        {
            EXPECT_EQ(line.rfind("INPUT: KeyBindings.json: ", 0), 0u) << line;
            matches += line.find(fragment) != std::string::npos ? 1 : 0;
        }
        EXPECT_EQ(matches, 1) << "looking for: " << fragment << "\nin:\n" << trace.Text();
    }

    int ReportCount() const
    {
        const std::string text = trace.Text();
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    Trace trace;
    JsonReader reader;
    MasterInputManager bindings;
};

TEST_F(KeyBindingFileTest, RootListsAreFiledUnderTheEmptyActionAsTheyStand)
{
    Read(R"({"PC": [87, 87, 265], "CONTROLLER": [4096]})");
    EXPECT_EQ(bindings.keyBindings.at(""), (Codes{87, 87, 265}));
    EXPECT_EQ(bindings.buttonBindings.at(""), (Codes{4096}));
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32}));
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(KeyBindingFileTest, ActionMembersAddTheirCodesAfterTheGameBindingsWithoutDuplicates)
{
    Read(R"({"Jump": {"PC": [265, 87, 32, 265], "CONTROLLER": [32775, 4096]},
             "Dash": {"CONTROLLER": [8192]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 265, 87}));
    EXPECT_EQ(bindings.buttonBindings.at("Jump"), (Codes{0x1000, 0x8007}));
    EXPECT_EQ(bindings.keyBindings.at("Dash"), (Codes{0, 88, 340}));
    EXPECT_EQ(bindings.buttonBindings.at("Dash"), (Codes{0x8001, 0x2000}));
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(KeyBindingFileTest, ActionsNothingRegisteredAreCreated)
{
    Read(R"({"Zoom": {"PC": [90]}})");
    EXPECT_EQ(bindings.keyBindings.at("Zoom"), (Codes{90}));
    EXPECT_FALSE(bindings.buttonBindings.contains("Zoom"));
}

TEST_F(KeyBindingFileTest, RootAndActionListsMix)
{
    Read(R"({"PC": [1], "Jump": {"PC": [87]}, "CONTROLLER": [2]})");
    EXPECT_EQ(bindings.keyBindings.at(""), (Codes{1}));
    EXPECT_EQ(bindings.buttonBindings.at(""), (Codes{2}));
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 87}));
}

TEST_F(KeyBindingFileTest, CodesOutsideTheirSpaceAreReportedAndSkipped)
{
    Read(R"({"Jump": {"PC": [8, 87, 31, 349, -1], "CONTROLLER": [0, 65536, 16384]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 87}));
    EXPECT_EQ(bindings.buttonBindings.at("Jump"), (Codes{0x1000, 0x4000}));
    ExpectOneReport("\"Jump\": PC code 8 is not a mouse button (0..7) or key (32..348); skipped");
    ExpectOneReport("PC code 31 ");
    ExpectOneReport("PC code 349 ");
    ExpectOneReport("PC code -1 ");
    ExpectOneReport("\"Jump\": CONTROLLER code 0 is not a controller button mask");
    ExpectOneReport("CONTROLLER code 65536 ");
    EXPECT_EQ(ReportCount(), 6);
}

TEST_F(KeyBindingFileTest, UnknownMembersOfAnActionAreReportedAndSkipped)
{
    Read(R"({"Jump": {"Keys": [87], "PC": [265], "Extra": {"PC": [1]}, "CONTROLLER": [8192]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 265}));
    EXPECT_EQ(bindings.buttonBindings.at("Jump"), (Codes{0x1000, 0x2000}));
    ExpectOneReport("\"Jump\": \"Keys\" is not \"PC\" or \"CONTROLLER\"; skipped");
    ExpectOneReport("\"Jump\": \"Extra\" is an object, not a list of codes; skipped");
    EXPECT_EQ(ReportCount(), 2);
}

TEST_F(KeyBindingFileTest, KeyNamesInsteadOfCodesAreReported)
{
    Read(R"({"Jump": {"PC": ["W"]}, "PC": ["Space"]})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32}));
    ExpectOneReport("\"Jump\": \"PC\" holds names, not integer codes");
    ExpectOneReport("KeyBindings.json: \"PC\" holds names, not integer codes");
    EXPECT_EQ(ReportCount(), 2);
}

TEST_F(KeyBindingFileTest, RootListsThatAreNotPcOrControllerAreReported)
{
    Read(R"({"Jump": [87], "Dash": {"PC": [1]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32}));
    EXPECT_EQ(bindings.keyBindings.at("Dash"), (Codes{0, 88, 340, 1}));
    ExpectOneReport("\"Jump\" is a list outside any action; skipped");
    EXPECT_EQ(ReportCount(), 1);
}

TEST_F(KeyBindingFileTest, RootPcAsAnObjectIsNotAnAction)
{
    Read(R"({"PC": {"PC": [87]}, "CONTROLLER": {}})");
    EXPECT_FALSE(bindings.keyBindings.contains("PC"));
    EXPECT_FALSE(bindings.keyBindings.contains(""));
    ExpectOneReport("\"PC\" is an object, not a list of codes; skipped");
    ExpectOneReport("\"CONTROLLER\" is an object, not a list of codes; skipped");
}

TEST_F(KeyBindingFileTest, AScalarMemberIsReportedAndEndsTheRead)
{
    Read(R"({"Jump": {"PC": [87]}, "Dash": 1, "SlowMo": {"PC": [2]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 87}));
    EXPECT_EQ(bindings.keyBindings.at("SlowMo"), (Codes{1, 90, 341}));
    ExpectOneReport("\"Dash\" is neither an action object nor a list of codes; it and the members after it are "
                    "skipped");
    EXPECT_EQ(ReportCount(), 1);
}

TEST_F(KeyBindingFileTest, AScalarInsideAnActionEndsThatActionOnly)
{
    Read(R"({"Jump": {"PC": [87], "CONTROLLER": 4096, "more": [1]}, "Dash": {"PC": [2]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 87}));
    EXPECT_EQ(bindings.buttonBindings.at("Jump"), (Codes{0x1000}));
    EXPECT_EQ(bindings.keyBindings.at("Dash"), (Codes{0, 88, 340, 2}));
    ExpectOneReport("\"Jump\": \"CONTROLLER\" is not a list of codes; it and the members after it are skipped");
    EXPECT_EQ(ReportCount(), 1);
}

TEST_F(KeyBindingFileTest, NonIntegerElementsAreIgnored)
{
    Read(R"({"Jump": {"PC": [87, 2.5, null, 265]}})");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 87, 265}));
}

TEST_F(KeyBindingFileTest, AnEmptyFileChangesNothing)
{
    Read("{}");
    EXPECT_EQ(bindings.keyBindings.size(), 8u);
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(KeyBindingFileTest, AMissingFileAddsNothingAndIsNotReported)
{
    LoadKeyBindingFile("no/such/folder/", bindings, &trace);
    EXPECT_EQ(bindings.keyBindings.size(), 8u);
    EXPECT_EQ(trace.Text(), "");
}

TEST_F(KeyBindingFileTest, AnUnparsableFileIsReportedOnceAndAddsNothing)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("kesto-keybindings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "KeyBindings.json") << R"({"Jump": {"PC": [87]},, })";
    LoadKeyBindingFile(folder.string() + "/", bindings, &trace);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32}));
    EXPECT_EQ(ReportCount(), 1);
    EXPECT_NE(trace.Text().find("KeyBindings.json: JSON parse error"), std::string::npos) << trace.Text();
}

TEST_F(KeyBindingFileTest, TheShippedFileAddsCToJumpAndLeavesTheAimKeysAlone)
{
    LoadKeyBindingFile(KESTO_TEST_DATA "/../../Assets/Data/Files/", bindings, &trace);
    EXPECT_EQ(trace.Text(), "");
    EXPECT_EQ(bindings.keyBindings.at("Jump"), (Codes{32, 67}));
    EXPECT_EQ(bindings.keyBindings.at("AimUp"), (Codes{87, 265}));
    EXPECT_EQ(bindings.buttonBindings.at("Jump"), (Codes{0x1000}));
    EXPECT_EQ(bindings.keyBindings.at("MoveLeft"), (Codes{65, 263}));
}

} // namespace
} // namespace kesto
