#include "ui/TimerSystem.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

TEST(TimerSystem, FormatsMinutesSecondsAndMilliseconds)
{
    struct Case
    {
        float seconds;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.0f, "0:00.000"},
        {5.25f, "0:05.250"},
        {83.5f, "1:23.500"},
        {65.5f, "1:05.500"},
        {59.999f, "0:59.999"},
        {0.1f, "0:00.100"},
        {3725.5f, "62:05.500"}, // over an hour: minutes keep counting
        {-3.0f, "0:00.000"},
        {std::numeric_limits<float>::quiet_NaN(), "0:00.000"},
        {std::numeric_limits<float>::infinity(), "0:00.000"},
        {1e12f, "999999:00.000"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(TimerSystem::FormatTime(c.seconds), c.text) << c.seconds;
    }
}

TEST(TimerSystem, ReadoutsByDisplay)
{
    struct Case
    {
        std::vector<float> splits;
        int display;
        float shown;
    };
    const float time = 50.0f;
    const std::vector<Case> cases = {
        {{}, 0, 50.0f},
        {{}, 1, 50.0f},
        {{}, 2, 50.0f},
        {{}, 5, 50.0f},
        {{10.0f}, 0, 40.0f},
        {{10.0f}, 1, 50.0f},
        {{10.0f}, 2, 10.0f},
        {{10.0f}, 3, 40.0f},
        {{10.0f}, 4, 40.0f},
        {{10.0f, 25.0f, 45.0f}, 3, 15.0f},
        {{10.0f, 25.0f, 45.0f}, 4, 20.0f},
        {{10.0f, 25.0f, 45.0f}, 6, 5.0f},
        {{10.0f, 25.0f}, -1, 50.0f},
    };
    for (const Case& c : cases)
    {
        TimerSystem timer;
        timer.time = time;
        timer.splits = c.splits;
        EXPECT_EQ(timer.Readout(c.display), c.shown)
            << "display " << c.display << " with " << c.splits.size() << " splits";
    }
}

TEST(TimerSystem, CountsOnlyWhileRunning)
{
    TimerSystem timer;
    timer.Update(1.0f);
    EXPECT_EQ(timer.time, 0.0f);
    timer.Start();
    timer.Update(0.5f);
    timer.Split();
    timer.Update(0.25f);
    timer.Pause();
    timer.Update(1.0f);
    EXPECT_EQ(timer.time, 0.75f);
    EXPECT_EQ(timer.splits, std::vector<float>{0.5f});
}

} // namespace
} // namespace kesto
