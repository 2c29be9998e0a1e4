#include "engine/Trace.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace kesto
{
namespace
{

TEST(Trace, WritesOneLinePerReportNamingSystemSubjectAndFault)
{
    Trace trace;
    std::ostringstream echo;
    trace.echo = &echo;
    trace.Report("DATA", "Assets/Data/Levels/Cave.json", "cannot open the file");
    trace.Report("AUDIO", "", "no output device; running silent");
    const std::string expected = "DATA: Assets/Data/Levels/Cave.json: cannot open the file\n"
                                 "AUDIO: no output device; running silent\n";
    EXPECT_EQ(echo.str(), expected);
    EXPECT_EQ(trace.Text(), expected);
}

TEST(Trace, KeepsTheLogWithoutAnEchoStream)
{
    Trace trace;
    trace.echo = nullptr;
    trace.Report("DATA", "a.json", "bad");
    EXPECT_EQ(trace.Text(), "DATA: a.json: bad\n");
}

TEST(Trace, KeepsOnlyTheRecentLinesHoweverLongTheRun)
{
    Trace trace;
    std::ostringstream echo;
    trace.echo = &echo;
    const std::size_t reports = 3 * Trace::keptLines + 7;
    for (std::size_t i = 0; i < reports; ++i)
    {
        trace.Report("DATA", "level.json", "report " + std::to_string(i));
    }
    EXPECT_EQ(trace.ReportCount(), reports);
    const std::string text = trace.Text();
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), Trace::keptLines);
    EXPECT_EQ(text.rfind("DATA: level.json: report " + std::to_string(reports - Trace::keptLines) + "\n", 0), 0u);
    EXPECT_NE(text.find("report " + std::to_string(reports - 1) + "\n"), std::string::npos);
    // The echo still saw every line.
    const std::string echoed = echo.str();
    EXPECT_EQ(static_cast<std::size_t>(std::count(echoed.begin(), echoed.end(), '\n')), reports);
}

} // namespace
} // namespace kesto
