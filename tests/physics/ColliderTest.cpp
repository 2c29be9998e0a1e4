#include "physics/Collider.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "ecs/Transform.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>
#include <limits>

namespace kesto
{
namespace
{

void ExpectBox(const ColliderBox& box, float left, float right, float bottom, float top)
{
    EXPECT_FLOAT_EQ(box.left, left);
    EXPECT_FLOAT_EQ(box.right, right);
    EXPECT_FLOAT_EQ(box.bottom, bottom);
    EXPECT_FLOAT_EQ(box.top, top);
}

Transform MakeTransform(Vec2 position, Vec2 scale)
{
    Transform transform;
    transform.SetTranslation(position);
    transform.SetScale(scale);
    return transform;
}

TEST(Collider, StartsStaleWithTheTransformSizeAndNoContacts)
{
    const Collider collider;
    EXPECT_EQ(collider.GetScale(), (Vec2{1.0f, 1.0f}));
    EXPECT_EQ(collider.GetOffset(), (Vec2{0.0f, 0.0f}));
    EXPECT_TRUE(collider.sizeStale);
    EXPECT_TRUE(collider.boundsStale);
    EXPECT_FALSE(collider.embedded);
    EXPECT_FALSE(collider.disabled);
    EXPECT_FALSE(collider.IsTouching(ContactSide::Ground));
    EXPECT_STREQ(collider.TypeName(), "Collider");
}

TEST(Collider, RefreshDerivesTheLocalAndWorldBoxes)
{
    Collider collider;
    collider.SetScale({0.5f, 2.0f});
    collider.SetOffset({10.0f, -5.0f});
    collider.Refresh(MakeTransform({100.0f, 200.0f}, {40.0f, 20.0f}));
    ExpectBox(collider.LocalBox(), 0.0f, 20.0f, -25.0f, 15.0f);
    ExpectBox(collider.WorldBox(), 100.0f, 120.0f, 175.0f, 215.0f);
    EXPECT_FALSE(collider.sizeStale);
    EXPECT_FALSE(collider.boundsStale);
}

TEST(Collider, BoxesStayUntilMarkedStale)
{
    Collider collider;
    Transform transform = MakeTransform({0.0f, 0.0f}, {10.0f, 10.0f});
    collider.Refresh(transform);
    transform.SetTranslation({50.0f, 0.0f});
    transform.SetScale({20.0f, 20.0f});
    collider.Refresh(transform);
    ExpectBox(collider.WorldBox(), -5.0f, 5.0f, -5.0f, 5.0f);

    collider.boundsStale = true;
    collider.Refresh(transform);
    ExpectBox(collider.WorldBox(), 45.0f, 55.0f, -5.0f, 5.0f);

    collider.sizeStale = true;
    collider.Refresh(transform);
    ExpectBox(collider.LocalBox(), -10.0f, 10.0f, -10.0f, 10.0f);
    ExpectBox(collider.WorldBox(), 40.0f, 60.0f, -10.0f, 10.0f);
}

TEST(Collider, ResizeAndMoveInOneFrameAreBothHonoured)
{
    Collider collider;
    Transform transform = MakeTransform({0.0f, 0.0f}, {10.0f, 10.0f});
    collider.Refresh(transform);
    transform.SetTranslation({100.0f, 100.0f});
    collider.SetScale({2.0f, 2.0f});
    collider.boundsStale = true;
    collider.Refresh(transform);
    ExpectBox(collider.WorldBox(), 90.0f, 110.0f, 90.0f, 110.0f);
}

TEST(Collider, SharedEdgesDoNotOverlap)
{
    const ColliderBox box{0.0f, 10.0f, 0.0f, 10.0f};
    EXPECT_FALSE(box.Overlaps({10.0f, 20.0f, 0.0f, 10.0f}));
    EXPECT_FALSE(box.Overlaps({-10.0f, 0.0f, 0.0f, 10.0f}));
    EXPECT_FALSE(box.Overlaps({0.0f, 10.0f, 10.0f, 20.0f}));
    EXPECT_FALSE(box.Overlaps({0.0f, 10.0f, -10.0f, 0.0f}));
    EXPECT_FALSE(box.Overlaps({10.0f, 20.0f, 10.0f, 20.0f}));
    EXPECT_TRUE(box.Overlaps({9.999f, 20.0f, 0.0f, 10.0f}));
    EXPECT_TRUE(box.Overlaps({2.0f, 3.0f, 2.0f, 3.0f}));
    EXPECT_TRUE(ColliderBox({2.0f, 3.0f, 2.0f, 3.0f}).Overlaps(box));
}

TEST(Collider, APointBoxOverlapsNothingEvenInsideAnotherBox)
{
    const ColliderBox big{-10.0f, 10.0f, -10.0f, 10.0f};
    const ColliderBox point{0.0f, 0.0f, 0.0f, 0.0f};
    const ColliderBox line{-5.0f, 5.0f, 0.0f, 0.0f};
    EXPECT_FALSE(point.Overlaps(big));
    EXPECT_FALSE(big.Overlaps(point));
    EXPECT_FALSE(line.Overlaps(big));
}

TEST(Collider, ScaleIsNeverNegativeAndEverySetterMarksTheSizeStale)
{
    Collider collider;
    collider.Refresh(MakeTransform({0.0f, 0.0f}, {10.0f, 10.0f}));
    collider.SetScale({-1.0f, 3.0f});
    EXPECT_EQ(collider.GetScale(), (Vec2{0.0f, 3.0f}));
    EXPECT_TRUE(collider.sizeStale);
    collider.Refresh(MakeTransform({0.0f, 0.0f}, {10.0f, 10.0f}));
    collider.SetOffset({1.0f, 1.0f});
    EXPECT_TRUE(collider.sizeStale);
}

class ColliderJson : public ::testing::Test
{
protected:
    void Apply(Collider& collider, const std::string& json)
    {
        JsonReader reader;
        ASSERT_TRUE(reader.Parse(json, "Level.json", nullptr));
        collider.Read(reader, &world.registry);
    }

    test::TestWorld world;
};

TEST_F(ColliderJson, ScaleAndOffsetRoundTrip)
{
    Collider written;
    written.SetScale({0.5f, 0.75f});
    written.SetOffset({-3.5f, 12.0f});
    JsonWriter writer;
    written.Write(writer);

    Collider read;
    Apply(read, writer.Finish());
    EXPECT_EQ(read.GetScale(), (Vec2{0.5f, 0.75f}));
    EXPECT_EQ(read.GetOffset(), (Vec2{-3.5f, 12.0f}));
    EXPECT_TRUE(read.Equals(written));
    EXPECT_TRUE(world.trace->Text().empty());
}

TEST_F(ColliderJson, ReadMarksBothBoxesStale)
{
    Collider collider;
    collider.Refresh(Transform{});
    Apply(collider, "{}");
    EXPECT_TRUE(collider.sizeStale);
    EXPECT_TRUE(collider.boundsStale);
}

TEST_F(ColliderJson, NegativeScaleIsClampedAndReported)
{
    Collider collider;
    Apply(collider, R"({"scale": [-2.0, 0.5]})");
    EXPECT_EQ(collider.GetScale(), (Vec2{0.0f, 0.5f}));
    EXPECT_EQ(world.trace->Text(), "DATA: Level.json: Collider \"scale\" is negative; clamped to 0\n");
}

TEST_F(ColliderJson, MistypedKeysKeepTheDefaults)
{
    Collider collider;
    Apply(collider, R"({"scale": "big", "offset": [1.0]})");
    EXPECT_EQ(collider.GetScale(), (Vec2{1.0f, 1.0f}));
    EXPECT_EQ(collider.GetOffset(), (Vec2{0.0f, 0.0f}));
}

TEST(Collider, EqualityComparesScaleAndOffsetOnly)
{
    Collider a;
    Collider b;
    b.disabled = true;
    b.embedded = true;
    b.contacts[0] = true;
    EXPECT_TRUE(a.Equals(b));
    b.SetOffset({0.0f, 1.0f});
    EXPECT_TRUE(a.NotEquals(b));
    b.SetOffset({0.0f, 0.0f});
    b.SetScale({std::numeric_limits<float>::max(), 1.0f});
    EXPECT_TRUE(a.NotEquals(b));
}

} // namespace
} // namespace kesto
