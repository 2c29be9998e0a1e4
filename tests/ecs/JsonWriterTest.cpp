#include "ecs/JsonWriter.h"

#include "ecs/JsonReader.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kesto
{
namespace
{

TEST(JsonWriter, NonFiniteNumbersBecomeReadableValues)
{
    JsonWriter writer;
    const float inf = std::numeric_limits<float>::infinity();
    writer.WriteVec3("v", {std::nanf(""), inf, -inf});
    writer.WriteFloat("f", std::nanf(""));
    const std::string text = writer.Finish();
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(text, "written", nullptr)) << text;
    Vec3 v;
    ASSERT_TRUE(reader.TryReadVec3("v", v));
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_TRUE(std::isinf(v.y) && v.y > 0); // the largest double is infinite as a float
    EXPECT_TRUE(std::isinf(v.z) && v.z < 0);
    EXPECT_NE(text.find("1.7976931348623157e308"), std::string::npos);
    float f = 1.0f;
    EXPECT_TRUE(reader.TryReadFloat("f", f));
    EXPECT_EQ(f, 0.0f);
}

TEST(JsonWriter, WholeFloatsKeepAFractionSoTheyReadBack)
{
    JsonWriter writer;
    writer.WriteFloat("speed", 2.0f);
    writer.WriteInt("count", 2);
    const std::string text = writer.Finish();
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(text, "written", nullptr));
    float speed = 0.0f;
    int count = 0;
    EXPECT_TRUE(reader.TryReadFloat("speed", speed));
    EXPECT_EQ(speed, 2.0f);
    EXPECT_TRUE(reader.TryReadInt("count", count));
    EXPECT_EQ(count, 2);
}

TEST(JsonWriter, EnumerationsAreWrittenAndReadAsTheirNumbers)
{
    enum class Kind : int
    {
        First = 0,
        Second = 1,
    };
    JsonWriter writer;
    writer.WriteEnum("known", Kind::Second);
    writer.WriteEnum("unknown", static_cast<Kind>(7));
    writer.WriteString("named", "Second");
    const std::string text = writer.Finish();
    EXPECT_NE(text.find("\"known\": 1"), std::string::npos) << text;
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(text, "written", nullptr)) << text;
    Kind kind = Kind::First;
    EXPECT_TRUE(reader.TryReadEnum("known", kind));
    EXPECT_EQ(kind, Kind::Second);
    // A number the game does not know is kept, so it survives the next write.
    EXPECT_TRUE(reader.TryReadEnum("unknown", kind));
    EXPECT_EQ(static_cast<int>(kind), 7);
    EXPECT_FALSE(reader.TryReadEnum("named", kind));
    EXPECT_FALSE(reader.TryReadEnum("absent", kind));
    EXPECT_EQ(static_cast<int>(kind), 7);
}

TEST(JsonWriter, NestedObjectsAndListsRoundTrip)
{
    JsonWriter writer;
    writer.BeginObject("Trigger");
    writer.BeginObject("Door");
    writer.WriteString("function", "Change Level");
    writer.WriteVec2List("points", {{1.0f, 2.0f}, {3.0f, 4.0f}});
    writer.EndObject();
    writer.EndObject();
    writer.WriteIntList("codes", {32, 65});
    writer.WriteBool("on", true);
    const std::string text = writer.Finish();
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(text, "written", nullptr)) << text;
    std::vector<int> codes;
    EXPECT_TRUE(reader.TryReadIntList("codes", codes));
    EXPECT_EQ(codes, (std::vector<int>{32, 65}));
    ASSERT_TRUE(reader.Enter("Trigger"));
    ASSERT_TRUE(reader.Enter("Door"));
    std::string function;
    EXPECT_TRUE(reader.TryReadString("function", function));
    EXPECT_EQ(function, "Change Level");
}

TEST(JsonWriter, UnbalancedEndIsAnError)
{
    JsonWriter writer;
    EXPECT_THROW(writer.EndObject(), std::logic_error);
}

} // namespace
} // namespace kesto
