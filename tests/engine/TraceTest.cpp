#include "engine/Trace.h"

#include <gtest/gtest.h>
#include <sstream>

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

} // namespace
} // namespace kesto
