#pragma once

#include "spine/Spine.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::spine::test
{

// The worked example of the format reference: a root, an upright arm bone and a 20 x 50 region on it, with a
// one-second "wave" that rotates the arm by 45 degrees and back (Bezier out, linear back).
constexpr std::string_view exampleJson = R"({
  "skeleton": { "hash": "example", "spine": "3.8.99", "x": 0, "y": 20, "width": 20, "height": 50 },
  "bones": [
    { "name": "root" },
    { "name": "arm", "parent": "root", "length": 50, "x": 10, "y": 20, "rotation": 90 }
  ],
  "slots": [
    { "name": "arm-slot", "bone": "arm", "attachment": "arm-img" }
  ],
  "skins": [
    {
      "name": "default",
      "attachments": {
        "arm-slot": {
          "arm-img": { "x": 25, "rotation": -90, "width": 20, "height": 50 }
        }
      }
    }
  ],
  "animations": {
    "wave": {
      "bones": {
        "arm": {
          "rotate": [
            { "angle": 0, "curve": 0.25, "c3": 0.75 },
            { "time": 0.5, "angle": 45 },
            { "time": 1, "angle": 0 }
          ]
        }
      }
    }
  }
})";

constexpr std::string_view exampleAtlas = R"(
example.png
size: 64,64
format: RGBA8888
filter: Linear,Linear
repeat: none
arm-img
  rotate: false
  xy: 2, 2
  size: 20, 50
  orig: 20, 50
  offset: 0, 0
  index: -1
)";

// Page textures are not needed to pose skeletons: every page "loads".
inline Host HeadlessHost()
{
    Host host;
    host.createTexture = [](AtlasPage&, const std::string&) { return true; };
    return host;
}

// Loads an atlas and skeleton data from text, collecting every report.
class SpineFixture : public ::testing::Test
{
protected:
    std::unique_ptr<Atlas> LoadAtlas(std::string_view text)
    {
        return LoadAtlasFromText(text, "", "test.atlas", HeadlessHost(), Collector());
    }

    std::unique_ptr<SkeletonData> LoadSkeleton(std::string_view json, std::string_view atlasText = exampleAtlas)
    {
        atlases.push_back(LoadAtlas(atlasText));
        EXPECT_NE(atlases.back(), nullptr);
        if (!atlases.back())
        {
            return nullptr;
        }
        return SkeletonJson(*atlases.back(), Collector()).ReadSkeletonData(json, "test.json");
    }

    ReportCallback Collector()
    {
        return [this](std::string_view message) { reports.emplace_back(message); };
    }

    // Every atlas loaded, kept for the skeleton data pointing into them.
    std::vector<std::unique_ptr<Atlas>> atlases;
    std::vector<std::string> reports;
};

// Corners or mesh vertices as (x, y) pairs, compared within tolerance.
inline void ExpectPoints(const std::vector<float>& actual, const std::vector<float>& expected, float tolerance,
                         std::string_view what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i)
    {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << ", number " << i;
    }
}

inline std::vector<float> RegionCorners(const Slot& slot)
{
    std::vector<float> corners(8);
    static_cast<const RegionAttachment&>(*slot.attachment).ComputeWorldVertices(slot.bone, corners, 0, 2);
    return corners;
}

} // namespace kesto::spine::test
