#include "ui/UserSettings.h"

#include "engine/Trace.h"
#include "ui/MenuWorld.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

// A scratch folder of the test's own, removed afterwards.
class UserSettingsTest : public ::testing::Test
{
protected:
    UserSettingsTest()
        : folder(fs::temp_directory_path() /
                 ("kesto-settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
    {
        fs::remove_all(folder);
        trace.echo = nullptr;
    }
    ~UserSettingsTest() override { fs::remove_all(folder); }

    std::string File() const { return (folder / "kesto" / "settings.json").string(); }
    void Write(const std::string& text)
    {
        fs::create_directories(folder / "kesto");
        std::ofstream(File(), std::ios::binary) << text;
    }
    std::string Read() const
    {
        std::ifstream in(File(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
    Trace trace;
};

TEST_F(UserSettingsTest, WrittenSettingsReadBackTheSame)
{
    UserSettings muted;
    muted.masterVolume = 0.25f;
    muted.musicMuted = true;
    muted.effectsVolume = 0.0f;
    muted.fullscreen = false;
    UserSettings loud;
    loud.musicVolume = 0.75f;
    loud.masterMuted = true;
    loud.effectsMuted = true;
    for (const UserSettings& settings : {muted, loud, UserSettings{}})
    {
        ASSERT_TRUE(WriteUserSettings(File(), settings, &trace));
        EXPECT_EQ(ReadUserSettings(File(), &trace), settings) << Read();
        EXPECT_FALSE(fs::exists(File() + ".tmp")) << "the temporary file was renamed";
    }
    EXPECT_EQ(trace.ReportCount(), 0u) << trace.Text();
}

TEST_F(UserSettingsTest, AMissingFileGivesTheDefaultsQuietly)
{
    EXPECT_EQ(ReadUserSettings(File(), &trace), UserSettings{});
    EXPECT_EQ(ReadUserSettings("", &trace), UserSettings{});
    EXPECT_EQ(trace.ReportCount(), 0u) << trace.Text();
}

TEST_F(UserSettingsTest, ACorruptFileIsReportedOnceAndGivesTheDefaults)
{
    for (const char* text : {"", "{\"masterVolume\": 0.5,", "[0.5, true]", "\x89PNG\r\n\x1a\n", "masterVolume=0.5"})
    {
        Write(text);
        const std::size_t before = trace.ReportCount();
        EXPECT_EQ(ReadUserSettings(File(), &trace), UserSettings{}) << text;
        EXPECT_EQ(trace.ReportCount(), before + 1) << text;
    }
    EXPECT_NE(trace.Text().find("SETTINGS: " + File() +
                                ": the file is corrupt (not a JSON object); the default settings are used"),
              std::string::npos)
        << trace.Text();
}

TEST_F(UserSettingsTest, VolumesOutsideTheirRangeAreBroughtWithinAndMistypedKeysKeepTheirDefaults)
{
    Write(R"({"masterVolume": 7.5, "musicVolume": -1.0, "effectsVolume": "loud", "musicMuted": 1,
              "fullscreen": false})");
    const UserSettings settings = ReadUserSettings(File(), &trace);
    EXPECT_EQ(settings.masterVolume, 1.0f);
    EXPECT_EQ(settings.musicVolume, 0.0f);
    EXPECT_EQ(settings.effectsVolume, 1.0f);
    EXPECT_FALSE(settings.musicMuted);
    EXPECT_FALSE(settings.fullscreen);
}

TEST_F(UserSettingsTest, AWriteThatFailsIsReportedAndLeavesTheOldSettingsWhole)
{
    UserSettings old;
    old.masterVolume = 0.5f;
    ASSERT_TRUE(WriteUserSettings(File(), old, &trace));
    // The temporary file cannot be made: a folder has its name.
    fs::create_directories(File() + ".tmp");
    UserSettings changed;
    changed.masterVolume = 0.1f;
    EXPECT_FALSE(WriteUserSettings(File(), changed, &trace));
    EXPECT_EQ(ReadUserSettings(File(), &trace), old);
    EXPECT_EQ(trace.ReportCount(), 1u);
    EXPECT_NE(trace.Text().find("the settings are not saved"), std::string::npos) << trace.Text();

    // A folder that cannot be made: a file stands in its place.
    const std::string blocked = (folder / "file" / "kesto" / "settings.json").string();
    std::ofstream(folder / "file") << "not a folder";
    EXPECT_FALSE(WriteUserSettings(blocked, changed, &trace));
    EXPECT_EQ(trace.ReportCount(), 2u);
}

// Sets an environment variable for the scope of a test and puts the old value back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* variableName, const char* value) : name(variableName)
    {
        if (const char* old = std::getenv(name))
        {
            previous = old;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name;
    std::optional<std::string> previous;
};

TEST_F(UserSettingsTest, TheFileLivesInTheConfigurationFolderTheEnvironmentNames)
{
    struct Case
    {
        const char* xdgConfigHome;
        const char* home;
        std::string file;
    };
    const std::vector<Case> cases = {
        {"/tmp/config", "/home/fox", "/tmp/config/kesto/settings.json"},
        {nullptr, "/home/fox", "/home/fox/.config/kesto/settings.json"},
        {"", "/home/fox", "/home/fox/.config/kesto/settings.json"},
        {"relative/config", "/home/fox", "/home/fox/.config/kesto/settings.json"},
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const Case& c : cases)
    {
        const ScopedEnvironment xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
        const ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(UserSettingsFile(), c.file) << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)");
    }
}

TEST_F(UserSettingsTest, TheGameStartsWithTheSavedSettingsAndSavesEachChange)
{
    UserSettings saved;
    saved.masterVolume = 0.5f;
    saved.musicVolume = 0.75f;
    saved.musicMuted = true;
    saved.fullscreen = false;
    ASSERT_TRUE(WriteUserSettings(File(), saved, &trace));
    const std::string before = Read();
    {
        test::MenuWorld menu(File());
        EXPECT_EQ(menu.audio->masterVolume, 0.5f);
        EXPECT_EQ(menu.audio->musicVolume, 0.0f);
        EXPECT_TRUE(menu.ui->musicMute.muted);
        EXPECT_EQ(menu.ui->musicMute.savedVolume, 0.75f);
        EXPECT_FALSE(menu.window->fullscreen);
        EXPECT_EQ(Read(), before) << "nothing changed, nothing written";

        // A drag is written once, when it ends.
        menu.AddSlider({0.0f, 0.5f}, SliderType::EffectsVolume);
        menu.MoveCursor({0.0f, 0.5f});
        menu.LeftButton(true);
        menu.Frames(2);
        EXPECT_EQ(Read(), before);
        menu.LeftButton(false);
        menu.Frame();
        EXPECT_NEAR(ReadUserSettings(File(), &trace).effectsVolume, 0.5f, 1e-5f);

        menu.AddCheckBox({0.0f, -0.5f}, CheckBoxType::MuteBGM);
        menu.Click({0.0f, -0.5f});
        menu.Frame();
    }
    UserSettings expected = saved;
    expected.effectsVolume = ReadUserSettings(File(), &trace).effectsVolume;
    expected.musicMuted = false;
    EXPECT_EQ(ReadUserSettings(File(), &trace), expected);

    // A corrupt file is reported by the game and it plays on with the defaults.
    Write("{ oops");
    test::MenuWorld menu(File());
    EXPECT_EQ(menu.audio->masterVolume, 1.0f);
    EXPECT_NE(menu.Log().find("SETTINGS: " + File() + ": the file is corrupt"), std::string::npos) << menu.Log();
    EXPECT_EQ(trace.ReportCount(), 0u) << trace.Text();
}

} // namespace
} // namespace kesto
