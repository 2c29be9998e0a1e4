#include "SpineTestSupport.h"

#include <cmath>

namespace kesto::spine
{
namespace
{

TEST(Curve, EasesTheSegmentFraction)
{
    struct Case
    {
        Curve curve;
        float percent;
        float eased;
    };
    const Curve example{CurveType::Bezier, 0.25f, 0.0f, 0.75f, 1.0f};
    const Case cases[] = {
        {{}, 0.3f, 0.3f},
        {{CurveType::Stepped}, 0.99f, 0.0f},
        {example, 0.0f, 0.0f},
        {example, 0.2f, 0.1280365f},
        {example, 0.5f, 0.5f},
        {example, 0.8f, 0.8719635f},
        {example, 1.0f, 1.0f},
        {example, 1.5f, 1.0f},
        // Handles on the diagonal at thirds make a straight line.
        {{CurveType::Bezier, 1.0f / 3, 1.0f / 3, 2.0f / 3, 2.0f / 3}, 0.37f, 0.37f},
        {{CurveType::Bezier, 0.42f, 0.0f, 0.58f, 1.0f}, 0.3f, 0.1873959f},
        // Values may overshoot: X is smoothstep, Y peaks at 1.25 halfway.
        {{CurveType::Bezier, 0.0f, 1.5f, 1.0f, 1.5f}, 0.5f, 1.25f},
    };
    for (const Case& c : cases)
    {
        EXPECT_NEAR(c.curve.Apply(c.percent), c.eased, 2e-6f)
            << "curve " << static_cast<int>(c.curve.type) << " (" << c.curve.c1 << ", " << c.curve.c2 << ", "
            << c.curve.c3 << ", " << c.curve.c4 << ") at " << c.percent;
    }
}

constexpr std::string_view timelinesJson = R"({
  "bones": [ { "name": "root" },
             { "name": "wheel", "parent": "root", "rotation": 0, "scaleX": 2, "shearY": 5, "x": 1, "y": 2 } ],
  "slots": [ { "name": "back", "bone": "root", "attachment": "one" },
             { "name": "middle", "bone": "root", "color": "ff0000ff" },
             { "name": "front", "bone": "root" } ],
  "skins": [ { "name": "default", "attachments": { "back": {
    "one": { "path": "arm-img", "width": 1, "height": 1 }, "two": { "path": "arm-img", "width": 2, "height": 2 } } } } ],
  "animations": {
    "roll": {
      "bones": { "wheel": {
        "rotate": [ { "angle": 120 }, { "time": 1, "angle": 240 }, { "time": 2, "angle": 360 }, { "time": 3, "angle": 120 } ],
        "translate": [ { "time": 1, "x": 10, "y": -4 }, { "time": 3, "x": 30, "y": 4 } ],
        "scale": [ { "x": 1.5, "y": 2, "curve": "stepped" }, { "time": 2, "x": 3, "y": 3 } ],
        "shear": [ { "x": 10, "y": -5 } ] } },
      "slots": {
        "middle": { "color": [ { "color": "ff0000ff" }, { "time": 2, "color": "0000ff00" } ] },
        "back": { "attachment": [ { "time": 1, "name": "two" }, { "time": 2, "name": null } ] } },
      "drawOrder": [ { "time": 1, "offsets": [ { "slot": "back", "offset": 2 } ] }, { "time": 2 } ],
      "events": [ { "time": 4, "name": "end" } ]
    }
  }
})";

class TimelineTest : public test::SpineFixture
{
};

TEST_F(TimelineTest, PosesEveryKindOfTimeline)
{
    const auto data = LoadSkeleton(timelinesJson);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(reports.empty());
    const Animation& roll = *data->FindAnimation("roll");
    EXPECT_FLOAT_EQ(roll.duration, 4.0f) << "the event key lasts longest";
    Skeleton skeleton(*data);
    const Bone& wheel = *skeleton.FindBone("wheel");
    const Slot& back = *skeleton.FindSlot("back");
    const Slot& middle = *skeleton.FindSlot("middle");
    struct Case
    {
        float time;
        float rotation, x, y, scaleX, scaleY, shearX, shearY;
        Color color;
        const char* attachment; // shown in "back"
        const char* drawOrder;  // first letters of the slots, back to front
    };
    const Case cases[] = {
        // Before the first translate key the setup position holds.
        {0.0f, 120, 1, 2, 3, 2, 10, 0, {1, 0, 0, 1}, "one", "bmf"},
        {0.5f, 180, 1, 2, 3, 2, 10, 0, {0.75f, 0, 0.25f, 0.75f}, "one", "bmf"},
        {1.0f, 240, 11, -2, 3, 2, 10, 0, {0.5f, 0, 0.5f, 0.5f}, "two", "mfb"},
        // 360 -> 120 turns on by +120 rather than back by 240: halfway is 420.
        {2.5f, 420, 26, 4, 6, 3, 10, 0, {0, 0, 1, 0}, "none", "bmf"},
        {9.0f, 120, 31, 6, 6, 3, 10, 0, {0, 0, 1, 0}, "none", "bmf"},
    };
    for (const Case& c : cases)
    {
        roll.Apply(skeleton, c.time, false, 1.0f, MixBlend::Setup);
        const std::string at = "at " + std::to_string(c.time);
        EXPECT_NEAR(std::remainder(wheel.rotation - c.rotation, 360.0f), 0.0f, 1e-3f) << at;
        test::ExpectPoints({wheel.x, wheel.y, wheel.scaleX, wheel.scaleY, wheel.shearX, wheel.shearY},
                           {c.x, c.y, c.scaleX, c.scaleY, c.shearX, c.shearY}, 1e-4f, at);
        test::ExpectPoints({middle.color.r, middle.color.g, middle.color.b, middle.color.a},
                           {c.color.r, c.color.g, c.color.b, c.color.a}, 1e-5f, at);
        EXPECT_EQ(back.attachment ? back.attachment->name : "none", c.attachment) << at;
        std::string order;
        for (const Slot* slot : skeleton.DrawOrder())
        {
            order += slot->data.name[0];
        }
        EXPECT_EQ(order, c.drawOrder) << at;
    }
}

} // namespace
} // namespace kesto::spine
