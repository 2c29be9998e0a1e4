#pragma once

#include "support/FrameDriver.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto::test
{

// What one manoeuvre measured at one frame rate, and its script as that rate saw it (changes at frame boundaries).
struct RateResult
{
    float value = 0.0f;
    std::vector<KeyChange> seen;
};

// Plays a script at a frame rate in a fresh engine and measures the outcome.
using PerformAt = std::function<RateResult(double framesPerSecond, const std::vector<KeyChange>& script)>;

// The finest rate, the reference every other is held to.
constexpr double referenceRate = 240.0;

// The header of a table with one column per rate, after a name column `nameWidth` wide.
inline std::string RateTableHeader(const std::vector<double>& rates, int nameWidth)
{
    std::string header(static_cast<std::size_t>(nameWidth), ' ');
    for (const double rate : rates)
    {
        char cell[16];
        std::snprintf(cell, sizeof cell, "%6.0f fps", rate);
        header += cell;
    }
    return header + "\n";
}

// Plays `script` at every rate and expects each result within 2 % of the reference rate given the input exactly as
// that rate saw it (a change is seen at the next frame boundary, so at 16 fps a 0.1 s tap is held for 0.125 s), and
// at least `atLeast`. Returns the table row of the results.
inline std::string ExpectSameAtEveryRate(const std::string& name, int nameWidth, const std::vector<double>& rates,
                                         const std::vector<KeyChange>& script, const PerformAt& perform, float atLeast)
{
    char label[64];
    std::snprintf(label, sizeof label, "%-*s", nameWidth, name.c_str());
    std::string row = label;
    for (const double rate : rates)
    {
        const RateResult result = perform(rate, script);
        const RateResult reference = perform(referenceRate, result.seen);
        char cell[16];
        std::snprintf(cell, sizeof cell, "%10.1f", result.value);
        row += cell;
        EXPECT_GE(result.value, atLeast) << name << " at " << rate << " fps";
        EXPECT_NEAR(result.value, reference.value, std::fabs(reference.value) * 0.02f)
            << name << " at " << rate << " fps";
    }
    return row + "\n";
}

} // namespace kesto::test
