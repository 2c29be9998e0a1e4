#include "graphics/FlashingLight.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(FlashingLight, StartsWithoutKeys)
{
    const FlashingLight light;
    EXPECT_TRUE(light.keys.empty());
    EXPECT_EQ(light.time, 0.0f);
    EXPECT_EQ(light.length, 0.0f);
}

TEST(FlashingLight, ReadsIndexedKeysAndTakesTheLengthFromTheLast)
{
    FlashingLight light;
    test::ReadJson(light, R"({"0": {"time": 0.0, "value": 1.0, "interpolate": true},
                              "1": {"time": 0.5, "value": 0.25},
                              "2": {"time": 1.5, "value": 0.0, "interpolate": false}})");
    ASSERT_EQ(light.keys.size(), 3u);
    EXPECT_EQ(light.keys[0], (Keyframe{0.0f, 1.0f, true}));
    EXPECT_EQ(light.keys[1], (Keyframe{0.5f, 0.25f, false}));
    EXPECT_EQ(light.keys[2], (Keyframe{1.5f, 0.0f, false}));
    EXPECT_EQ(light.length, 1.5f);
}

TEST(FlashingLight, KeysStopAtTheFirstMissingIndexAndMistypedValuesStayZero)
{
    FlashingLight light;
    test::ReadJson(light, R"({"0": {"time": 1, "value": 0.5}, "1": 3, "2": {"time": 2.0}})");
    ASSERT_EQ(light.keys.size(), 1u);
    EXPECT_EQ(light.keys[0], (Keyframe{0.0f, 0.5f, false}));
    EXPECT_EQ(light.length, 0.0f);
}

TEST(FlashingLight, AnObjectWithoutKeysKeepsTheTrack)
{
    FlashingLight light;
    light.keys = {{0.0f, 1.0f, false}, {2.0f, 0.0f, false}};
    light.length = 2.0f;
    test::ReadJson(light, "{}");
    EXPECT_EQ(light.keys.size(), 2u);
    EXPECT_EQ(light.length, 2.0f);
}

TEST(FlashingLight, WriteThenReadKeepsTheTrackAndCloneOwnsItsCopy)
{
    FlashingLight light;
    light.keys = {{0.0f, 0.0f, true}, {0.25f, 1.0f, true}, {0.75f, 0.5f, false}};
    light.length = 0.75f;
    light.time = 0.5f;
    const FlashingLight copy = test::RoundTrip(light);
    EXPECT_EQ(copy.keys, light.keys);
    EXPECT_EQ(copy.length, 0.75f);
    EXPECT_EQ(copy.time, 0.0f);

    const std::unique_ptr<Component> cloned = light.Clone();
    auto& clone = static_cast<FlashingLight&>(*cloned);
    EXPECT_EQ(clone.time, 0.5f);
    clone.keys[1].value = 0.0f;
    EXPECT_EQ(light.keys[1].value, 1.0f);
}

} // namespace
} // namespace kesto
