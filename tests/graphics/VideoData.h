#pragma once

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <span>
#include <string>

namespace kesto::test
{

// The test videos of tests/data/video, made by tools/make_video.py. "frames.mp4" is 42 x 24 at 30 fps with twelve
// pictures: the upper half of picture k is VideoTopColour(k), the lower half always videoBottomColour.
inline constexpr int videoWidth = 42;
inline constexpr int videoHeight = 24;
inline constexpr int videoFrames = 12;

struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
};

inline constexpr Rgb videoBottomColour{30, 60, 200};

inline Rgb VideoTopColour(int k) { return {200 - 12 * k, 40 + 12 * k, 30}; }

// The folder of the test videos, as an asset root, and a file in it.
inline std::string VideoFolder() { return std::string(KESTO_TEST_DATA) + "/video/"; }
inline std::string VideoFile(const std::string& name) { return VideoFolder() + name; }

// The pixel at (x, y), y from the top, of an RGB picture videoWidth wide.
inline Rgb VideoPixel(std::span<const std::uint8_t> rgb, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * videoWidth + static_cast<std::size_t>(x)) * 3;
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

// Colour closeness with room for the round trip through YUV.
inline ::testing::AssertionResult NearRgb(Rgb actual, Rgb expected, int tolerance = 4)
{
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance)
    {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not near ("
                                         << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

// Whether the picture is test picture k: its top colour above the middle, the bottom colour below.
inline ::testing::AssertionResult IsTestPicture(std::span<const std::uint8_t> rgb, int k)
{
    if (rgb.size() != static_cast<std::size_t>(videoWidth * videoHeight * 3))
    {
        return ::testing::AssertionFailure() << "a picture of " << rgb.size() << " bytes";
    }
    for (const int x : {0, videoWidth / 2, videoWidth - 1})
    {
        if (auto top = NearRgb(VideoPixel(rgb, x, 2), VideoTopColour(k)); !top)
        {
            return top << " at the top of column " << x << ", picture " << k;
        }
        if (auto bottom = NearRgb(VideoPixel(rgb, x, videoHeight - 3), videoBottomColour); !bottom)
        {
            return bottom << " at the bottom of column " << x << ", picture " << k;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace kesto::test
