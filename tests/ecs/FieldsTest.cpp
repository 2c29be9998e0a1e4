#include "ecs/Fields.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "support/ComponentJson.h"
#include "support/HeadlessImGui.h"

#include <array>
#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

enum class Mode : int
{
    Off = 0,
    On = 1,
    Blink = 2,
};

struct Inner
{
    std::string name;
};

constexpr std::array<const char*, 3> modeTexts = {"Off", "On", "Blink"};

// A plain struct described with every kind of field and option the components use.
struct Sample
{
    bool flag = false;
    float angle = 0.0f; // radians
    Vec2 size{1.0f, 1.0f};
    float opacity = 1.0f;
    int count = 0;
    Mode mode = Mode::Off;
    Mode saved = Mode::Off;
    Inner inner;
    std::vector<Vec2> points;
    Vec4 tint{};
    int readsOrEdits = 0;
    int edits = 0;

    void Touched() { ++readsOrEdits; }
    void Edited() { ++edits; }

    static const FieldTable<Sample>& Fields()
    {
        static const FieldTable<Sample> fields{
            Field<&Sample::flag>("flag").Label("Flag"),
            Field<&Sample::angle>("angle").Label("Angle").Drag(0.5f).Degrees().OnChange(&Sample::Touched),
            Field<&Sample::size>("size").Label("Size").Clamp(0.0f).OnEdit(&Sample::Edited),
            Field<&Sample::opacity>("opacity").Label("Opacity").Drag(0.01f).Range(0.0f, 1.0f),
            Field<&Sample::count>("count").Label("Count").Uncompared(),
            Field<&Sample::mode>("mode").Label("Mode").Combo(modeTexts),
            Field<&Sample::saved>("saved").Texts(modeTexts),
            Field<&Sample::inner, &Inner::name>("name"),
            Field<&Sample::points>("points").Label("Points"),
            Field<&Sample::tint>("tint").Label("Tint").Color(),
        };
        return fields;
    }
};

Sample ReadSample(const std::string& json, SystemRegistry* registry = nullptr)
{
    JsonReader reader;
    EXPECT_TRUE(reader.Parse(json, "sample.json", nullptr));
    Sample sample;
    Sample::Fields().Read(sample, reader, registry);
    return sample;
}

std::string WriteSample(const Sample& sample)
{
    JsonWriter writer;
    Sample::Fields().Write(sample, writer);
    return writer.Finish();
}

TEST(FieldTable, ReadsEachKindAndSkipsAbsentOrMistypedKeys)
{
    const Sample sample = ReadSample(R"({"flag": true, "angle": 2, "size": [3, "x"], "count": 4, "mode": 2,
        "name": "lamp", "points": [[1, 2], [3.5, 4]], "tint": [0.5, 0.25, 1, 1], "opacity": 0.5})");
    EXPECT_TRUE(sample.flag);
    EXPECT_EQ(sample.angle, 0.0f) << "a float written without a fraction is skipped";
    EXPECT_EQ(sample.size, (Vec2{1.0f, 1.0f})) << "a mistyped vector is skipped";
    EXPECT_EQ(sample.count, 4);
    EXPECT_EQ(sample.mode, Mode::Blink);
    EXPECT_EQ(sample.inner.name, "lamp");
    EXPECT_EQ(sample.points, (std::vector<Vec2>{{1.0f, 2.0f}, {3.5f, 4.0f}}));
    EXPECT_EQ(sample.tint, (Vec4{0.5f, 0.25f, 1.0f, 1.0f}));
    EXPECT_EQ(sample.opacity, 0.5f);
    EXPECT_EQ(sample.readsOrEdits, 0) << "the change hook runs only for keys that were read";
}

TEST(FieldTable, ClampsOnReadOnlyWhereAsked)
{
    const Sample sample = ReadSample(R"({"size": [-2.0, 5.0], "opacity": 7.5, "angle": 1.5})");
    EXPECT_EQ(sample.size, (Vec2{0.0f, 5.0f})) << "Clamp holds for data too";
    EXPECT_EQ(sample.opacity, 7.5f) << "Range limits only edits";
    EXPECT_EQ(sample.angle, 1.5f) << "degrees are only the inspector's";
    EXPECT_EQ(sample.readsOrEdits, 1);
    EXPECT_EQ(sample.edits, 0) << "OnEdit hooks do not run for reads";
}

TEST(FieldTable, ChoicesStoredAsTextReadBackAndUnknownTextsAreReported)
{
    Sample sample;
    sample.saved = Mode::Blink;
    const std::string text = WriteSample(sample);
    EXPECT_NE(text.find(R"("saved": "Blink")"), std::string::npos) << text;
    EXPECT_EQ(ReadSample(text).saved, Mode::Blink);

    test::QuietTrace quiet;
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(R"({"saved": "Strobe"})", "lamp.json", nullptr));
    sample.saved = Mode::On;
    Sample::Fields().Read(sample, reader, &quiet.registry);
    EXPECT_EQ(sample.saved, Mode::Off);
    EXPECT_EQ(quiet.trace->Text(), "DATA: lamp.json: unknown saved \"Strobe\"\n");

    sample.saved = static_cast<Mode>(9);
    EXPECT_NE(WriteSample(sample).find(R"("saved": "Off")"), std::string::npos) << "an unknown number saves as 0";
}

TEST(FieldTable, EqualsSkipsUncomparedFieldsWhileSameComparesAll)
{
    Sample a;
    Sample b;
    b.count = 3;
    EXPECT_TRUE(Sample::Fields().Equals(a, b));
    EXPECT_FALSE(Sample::Fields().Same(a, b));
    b.inner.name = "other";
    EXPECT_FALSE(Sample::Fields().Equals(a, b));

    const FieldTable<Sample> never({Field<&Sample::flag>("flag")}, Equality::Never);
    EXPECT_FALSE(never.Equals(a, a));
    EXPECT_TRUE(never.Same(a, a));
}

TEST(FieldTable, InspectorShowsRadiansAsDegreesAndRunsTheHooks)
{
    test::HeadlessImGui gui;
    Sample sample;
    const auto draw = [&] { return Sample::Fields().Inspect(sample, nullptr); };
    EXPECT_FALSE(gui.Frame(draw)) << "no input, no change";

    // Row 1 is "Angle": 10 pixels at 0.5 degrees per pixel.
    EXPECT_TRUE(gui.Drag(1, 10.0f, draw));
    EXPECT_NEAR(sample.angle, 5.0f * std::numbers::pi_v<float> / 180.0f, 1e-6f);
    EXPECT_EQ(sample.readsOrEdits, 1);
    EXPECT_EQ(sample.edits, 0);

    // Row 0 is "Flag": no hook, still a change.
    EXPECT_TRUE(gui.Click(0, 17.0f, draw));
    EXPECT_TRUE(sample.flag);
    EXPECT_EQ(sample.readsOrEdits, 1);

    // Row 3 is "Opacity": dragging past the range stops at its end.
    EXPECT_TRUE(gui.Drag(3, 300.0f, draw));
    EXPECT_EQ(sample.opacity, 1.0f);

    // Row 2 is "Size": its edit hook runs, and a drag below zero is clamped.
    EXPECT_TRUE(gui.Drag(2, -400.0f, draw));
    EXPECT_EQ(sample.size.x, 0.0f);
    EXPECT_EQ(sample.edits, 1);
}

} // namespace
} // namespace kesto
