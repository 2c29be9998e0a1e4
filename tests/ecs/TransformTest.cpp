#include "ecs/Transform.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "support/HeadlessImGui.h"

#include <gtest/gtest.h>
#include <numbers>

namespace kesto
{
namespace
{

void Apply(Transform& transform, const std::string& json)
{
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(json, "inline", nullptr));
    transform.Read(reader, nullptr);
}

void ExpectColumn(const Matrix3& m, int column, Vec3 expected)
{
    const Vec3 actual = m.Column(column);
    EXPECT_NEAR(actual.x, expected.x, 1e-5f) << "column " << column;
    EXPECT_NEAR(actual.y, expected.y, 1e-5f) << "column " << column;
    EXPECT_NEAR(actual.z, expected.z, 1e-5f) << "column " << column;
}

TEST(Transform, DefaultIsAHundredUnitSquareAtTheOrigin)
{
    Transform t;
    EXPECT_EQ(t.GetTranslation(), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(t.GetPreviousTranslation(), (Vec2{1.0f, 1.0f}));
    EXPECT_EQ(t.GetScale(), (Vec2{100.0f, 100.0f}));
    EXPECT_EQ(t.GetRotation(), 0.0f);
    ExpectColumn(t.GetMatrix(), 0, {100.0f, 0.0f, 0.0f});
    ExpectColumn(t.GetMatrix(), 1, {0.0f, 100.0f, 0.0f});
}

TEST(Transform, NormalMatrixRotatesTheScaledQuad)
{
    Transform t;
    t.SetRotation(std::numbers::pi_v<float> / 2.0f);
    t.SetScale({2.0f, 1.0f});
    t.SetTranslation({10.0f, 20.0f});
    ExpectColumn(t.GetMatrix(), 0, {0.0f, 2.0f, 0.0f});
    ExpectColumn(t.GetMatrix(), 1, {-1.0f, 0.0f, 0.0f});
    ExpectColumn(t.GetMatrix(), 2, {10.0f, 20.0f, 1.0f});
}

TEST(Transform, WonkyMatrixScalesAfterRotating)
{
    Transform t;
    t.SetRotation(std::numbers::pi_v<float> / 2.0f);
    t.SetScale({2.0f, 1.0f});
    t.SetWonky(true);
    ExpectColumn(t.GetMatrix(), 0, {0.0f, 1.0f, 0.0f});
    ExpectColumn(t.GetMatrix(), 1, {-2.0f, 0.0f, 0.0f});
}

TEST(Transform, MatrixFollowsEveryChange)
{
    Transform t;
    t.GetMatrix();
    t.SetTranslation({3.0f, 4.0f});
    ExpectColumn(t.GetMatrix(), 2, {3.0f, 4.0f, 1.0f});
}

TEST(Transform, ReadClampsNegativeScaleAndRejectsIntegerRotation)
{
    Transform t;
    Apply(t, R"({"scale": [-5, 20], "rotation": 2})");
    EXPECT_EQ(t.GetScale(), (Vec2{0.0f, 20.0f}));
    EXPECT_EQ(t.GetRotation(), 0.0f);
    Apply(t, R"({"rotation": 1.5})");
    EXPECT_EQ(t.GetRotation(), 1.5f);
}

TEST(Transform, ReadSkipsMistypedKeys)
{
    Transform t;
    Apply(t, R"({"translation": [1, 2, 3], "scale": "big", "wonky": 1, "locked": true})");
    EXPECT_EQ(t.GetTranslation(), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(t.GetScale(), (Vec2{100.0f, 100.0f}));
    EXPECT_FALSE(t.IsWonky());
    EXPECT_TRUE(t.locked);
}

TEST(Transform, WriteThenReadRoundTrips)
{
    Transform original;
    original.SetTranslation({-3.25f, 8.0f});
    original.SetRotation(0.75f);
    original.SetScale({12.0f, 3.0f});
    original.SetWonky(true);
    original.locked = true;
    JsonWriter writer;
    original.Write(writer);
    Transform copy;
    Apply(copy, writer.Finish());
    EXPECT_EQ(copy.GetTranslation(), original.GetTranslation());
    EXPECT_EQ(copy.GetRotation(), original.GetRotation());
    EXPECT_EQ(copy.GetScale(), original.GetScale());
    EXPECT_TRUE(copy.IsWonky());
    EXPECT_TRUE(copy.locked);
}

TEST(Transform, CloneCopiesEveryField)
{
    Transform original;
    original.SetTranslation({1.0f, 2.0f});
    original.SetPreviousTranslation({0.5f, 0.5f});
    const std::unique_ptr<Component> clone = original.Clone();
    const auto& copy = static_cast<const Transform&>(*clone);
    EXPECT_EQ(copy.GetTranslation(), (Vec2{1.0f, 2.0f}));
    EXPECT_EQ(copy.GetPreviousTranslation(), (Vec2{0.5f, 0.5f}));
    EXPECT_STREQ(copy.TypeName(), "Transform");
    EXPECT_TRUE(original.NotEquals(copy)); // the base comparison answers "not equal"
}

TEST(Transform, InspectorEditsRotationInDegreesAndKeepsScaleNonNegative)
{
    test::HeadlessImGui gui;
    Transform t;
    const auto draw = [&] { return t.Inspect(nullptr); };
    // Rows: "Locked?", "Translation", "Rotation", "Scale", "Wonky Scaling".
    EXPECT_TRUE(gui.Drag(2, 10.0f, draw));
    EXPECT_NEAR(t.GetRotation(), 0.017453292f, 1e-6f) << "10 pixels at 0.1 degree each";
    EXPECT_EQ(t.GetTranslation(), (Vec2{0.0f, 0.0f}));
    EXPECT_TRUE(gui.Drag(3, -1500.0f, draw));
    EXPECT_EQ(t.GetScale().x, 0.0f);
    EXPECT_EQ(t.GetScale().y, 100.0f);
    EXPECT_TRUE(gui.Click(0, 17.0f, draw));
    EXPECT_TRUE(t.locked);
    EXPECT_TRUE(gui.Click(4, 17.0f, draw));
    EXPECT_TRUE(t.IsWonky());
}

} // namespace
} // namespace kesto
