#include "dialog/YesNoDialog.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kesto::dialog
{
namespace
{

// Sets or removes one environment variable for the life of the object, then puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* variable, const char* value) : name(variable)
    {
        if (const char* old = std::getenv(variable))
        {
            previous = old;
        }
        Apply(value);
    }
    ~ScopedEnv() { Apply(previous ? previous->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Apply(const char* value)
    {
        if (value != nullptr)
        {
            setenv(name.c_str(), value, 1);
        }
        else
        {
            unsetenv(name.c_str());
        }
    }

    std::string name;
    std::optional<std::string> previous;
};

// No display of any kind, so no box can appear and the test never waits for a person.
class YesNoDialogWithoutDisplay : public ::testing::Test
{
protected:
    ScopedEnv noX11{"DISPLAY", nullptr};
    ScopedEnv noWayland{"WAYLAND_DISPLAY", nullptr};
    ScopedEnv dummyVideo{"SDL_VIDEODRIVER", "dummy"};
    std::vector<std::string> reports;
    DialogReport report = [this](std::string_view message) { reports.emplace_back(message); };
};

TEST_F(YesNoDialogWithoutDisplay, AnswersNoAndReportsOneLineNamingTheBox)
{
    EXPECT_EQ(AskYesNo("Quit?", "Are you sure you want to quit? You have unsaved changes.", report), Answer::No);

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("\"Quit?\""), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("answering No"), std::string::npos) << reports[0];
    EXPECT_EQ(reports[0].find('\n'), std::string::npos) << reports[0];
}

TEST_F(YesNoDialogWithoutDisplay, AnswersNoWithoutAReportCallback)
{
    EXPECT_EQ(AskYesNo("Quit?", "text", DialogReport{}), Answer::No);
}

} // namespace
} // namespace kesto::dialog
