#include "ecs/JsonReader.h"

#include "engine/Trace.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class JsonReaderTest : public ::testing::Test
{
protected:
    void SetUp() override { trace.echo = nullptr; }

    void Load(const std::string& json) { ASSERT_TRUE(reader.Parse(json, "test.json", &trace)); }

    Trace trace;
    JsonReader reader;
};

TEST_F(JsonReaderTest, FloatsMustBeWrittenWithAFraction)
{
    Load(R"({"whole": 2, "fraction": 2.0, "exponent": 1e2, "text": "2.5"})");
    float value = -1.0f;
    EXPECT_FALSE(reader.TryReadFloat("whole", value));
    EXPECT_EQ(value, -1.0f);
    EXPECT_TRUE(reader.TryReadFloat("fraction", value));
    EXPECT_EQ(value, 2.0f);
    EXPECT_TRUE(reader.TryReadFloat("exponent", value));
    EXPECT_EQ(value, 100.0f);
    EXPECT_FALSE(reader.TryReadFloat("text", value));
    EXPECT_FALSE(reader.TryReadFloat("absent", value));
}

TEST_F(JsonReaderTest, IntegersMustFitTheirType)
{
    Load(R"({"negative": -4, "big": 4000000000, "fraction": 1.5})");
    int i = 7;
    unsigned u = 7;
    EXPECT_TRUE(reader.TryReadInt("negative", i));
    EXPECT_EQ(i, -4);
    EXPECT_FALSE(reader.TryReadUnsigned("negative", u));
    EXPECT_FALSE(reader.TryReadInt("big", i));
    EXPECT_TRUE(reader.TryReadUnsigned("big", u));
    EXPECT_EQ(u, 4000000000u);
    EXPECT_FALSE(reader.TryReadInt("fraction", i));
    EXPECT_EQ(i, -4);
}

TEST_F(JsonReaderTest, VectorsNeedExactlyTheirLength)
{
    Load(R"({"two": [1, 2.5], "three": [1, 2], "four": [1, 2, 3, 4], "mixed": [1, "x"]})");
    Vec2 v2{9.0f, 9.0f};
    Vec3 v3{9.0f, 9.0f, 9.0f};
    Vec4 v4;
    EXPECT_TRUE(reader.TryReadVec2("two", v2));
    EXPECT_EQ(v2, (Vec2{1.0f, 2.5f}));
    EXPECT_FALSE(reader.TryReadVec3("three", v3));
    EXPECT_EQ(v3, (Vec3{9.0f, 9.0f, 9.0f}));
    EXPECT_TRUE(reader.TryReadVec4("four", v4));
    EXPECT_EQ(v4, (Vec4{1.0f, 2.0f, 3.0f, 4.0f}));
    EXPECT_FALSE(reader.TryReadVec2("mixed", v2));
}

TEST_F(JsonReaderTest, ListsAppend)
{
    Load(R"({"PC": [65, 263], "Sublevels": ["HUD", "Background"]})");
    std::vector<int> codes{1};
    EXPECT_TRUE(reader.TryReadIntList("PC", codes));
    EXPECT_EQ(codes, (std::vector<int>{1, 65, 263}));
    std::vector<std::string> sublevels;
    EXPECT_TRUE(reader.ReadSublevels(sublevels));
    EXPECT_EQ(sublevels, (std::vector<std::string>{"HUD", "Background"}));
}

TEST_F(JsonReaderTest, PointListsMustBeWhole)
{
    Load(R"({"points": [[1, 2], [3.5, 4]], "ragged": [[1, 2], [3]], "repeated": "a", "x": 1, "repeated": "b"})");
    std::vector<Vec2> points{{9.0f, 9.0f}};
    EXPECT_FALSE(reader.TryReadVec2List("ragged", points));
    EXPECT_EQ(points.size(), 1u);
    EXPECT_TRUE(reader.TryReadVec2List("points", points));
    EXPECT_EQ(points, (std::vector<Vec2>{{1.0f, 2.0f}, {3.5f, 4.0f}}));
    std::vector<std::string> repeated;
    EXPECT_TRUE(reader.TryReadRepeatedStrings("repeated", repeated));
    EXPECT_EQ(repeated, (std::vector<std::string>{"a", "b"}));
}

TEST_F(JsonReaderTest, EnterAndLeaveMoveBetweenObjects)
{
    Load(R"({"a": 1, "Inner": {"a": 2, "Deeper": {"a": 3}}, "list": [1]})");
    int a = 0;
    EXPECT_FALSE(reader.Enter("list"));
    EXPECT_FALSE(reader.Enter("missing"));
    ASSERT_TRUE(reader.Enter("Inner"));
    EXPECT_EQ(reader.CurrentKey(), "Inner");
    ASSERT_TRUE(reader.Enter("Deeper"));
    reader.TryReadInt("a", a);
    EXPECT_EQ(a, 3);
    reader.Leave();
    reader.TryReadInt("a", a);
    EXPECT_EQ(a, 2);
    reader.Leave();
    reader.TryReadInt("a", a);
    EXPECT_EQ(a, 1);
    reader.Leave(); // nothing entered: stays at the root
    EXPECT_EQ(reader.CurrentKey(), "");
}

TEST_F(JsonReaderTest, NextObjectMemberWalksRepeatedKeys)
{
    Load(R"({"Archetype": {"Name": "A"}, "Other": {"Name": "X"}, "Archetype": 5,
             "Archetype": {"Name": "B", "Transform": {"rotation": 1.0}}, "Archetype": {"Name": "C"}})");
    std::vector<std::string> names;
    while (reader.NextObjectMember("Archetype"))
    {
        std::string name;
        reader.TryReadString("Name", name);
        // Entering a component and leaving again must not disturb the walk.
        if (reader.Enter("Transform"))
        {
            reader.Leave();
        }
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));
    std::string rootName = "unchanged";
    EXPECT_FALSE(reader.TryReadString("Name", rootName)); // back at the root after the last one
}

TEST_F(JsonReaderTest, NextMemberReportsKinds)
{
    Load(R"({"Jump": {"PC": [32]}, "codes": [1, 2], "names": ["a"], "flag": true, "after": {}})");
    std::string key;
    ASSERT_EQ(reader.NextMember(key), JsonMemberKind::Object);
    EXPECT_EQ(key, "Jump");
    std::vector<int> codes;
    EXPECT_TRUE(reader.TryReadIntList("PC", codes));
    EXPECT_EQ(reader.NextMember(key), JsonMemberKind::Array);
    EXPECT_EQ(key, "PC");
    EXPECT_EQ(reader.NextMember(key), JsonMemberKind::End); // no members left inside "Jump"
    reader.Leave();
    EXPECT_EQ(reader.NextMember(key), JsonMemberKind::Array);
    EXPECT_EQ(key, "codes");
    EXPECT_EQ(reader.NextMember(key), JsonMemberKind::StringArray);
    EXPECT_EQ(reader.NextMember(key), JsonMemberKind::End);
    EXPECT_EQ(key, "flag");
}

TEST_F(JsonReaderTest, UnparsableTextIsReportedWithOffsetAndReadsAsEmpty)
{
    EXPECT_FALSE(reader.Parse(R"({"a": 1,, })", "broken.json", &trace));
    EXPECT_NE(trace.Text().find("broken.json"), std::string::npos);
    EXPECT_NE(trace.Text().find("offset 8"), std::string::npos);
    int a = 5;
    EXPECT_FALSE(reader.TryReadInt("a", a));
    EXPECT_EQ(a, 5);
    EXPECT_FALSE(reader.Enter("a"));
}

TEST_F(JsonReaderTest, NonObjectRootReadsAsEmpty)
{
    EXPECT_FALSE(reader.Parse("[1, 2]", "list.json", &trace));
    EXPECT_NE(trace.Text().find("list.json: the root is not a JSON object"), std::string::npos);
    std::string key;
    EXPECT_EQ(reader.NextMember(key), JsonMemberKind::End);
}

TEST_F(JsonReaderTest, MissingFileIsReported)
{
    EXPECT_FALSE(reader.Open("no/such/folder/", "nothing.json", &trace));
    EXPECT_NE(trace.Text().find("no/such/folder/nothing.json"), std::string::npos);
    EXPECT_FALSE(reader.NextObjectMember("Archetype"));
}

TEST_F(JsonReaderTest, OpenJoinsLinesAndAcceptsBackslashFolders)
{
    EXPECT_TRUE(reader.Open(KESTO_TEST_DATA "\\json\\", "multiline.json", &trace)) << trace.Text();
    std::string name;
    EXPECT_TRUE(reader.TryReadString("name", name));
    EXPECT_EQ(name, "multiline");
}

// Text nested `levels` deep below the root object: {"a": [{"a": [... ]}]} when mixing, else one kind only.
std::string Nested(int levels, const std::string& open, const std::string& close)
{
    std::string text = "{\"root\": ";
    for (int i = 0; i < levels; ++i)
    {
        text += open;
    }
    text += "1";
    for (int i = 0; i < levels; ++i)
    {
        text += close;
    }
    return text + ", \"kept\": true}";
}

TEST_F(JsonReaderTest, NestingIsBoundedWithoutRecursionAndReportedOnce)
{
    struct Case
    {
        const char* what;
        int levels; // below the root object, which is level 1
        std::string open;
        std::string close;
        bool readable;
    };
    const Case cases[] = {
        {"objects at the limit", JsonReader::maxDepth - 2, "{\"a\": ", "}", true},
        {"arrays at the limit", JsonReader::maxDepth - 2, "[", "]", true},
        {"objects one past the limit", JsonReader::maxDepth - 1, "{\"a\": ", "}", false},
        {"arrays one past the limit", JsonReader::maxDepth - 1, "[", "]", false},
        // Deep enough to overflow the stack of a recursive parser or walk.
        {"objects 105,000 deep", 105000, "{\"a\": ", "}", false},
        {"arrays 105,000 deep", 105000, "[", "]", false},
        {"both, 105,000 deep", 52500, "[{\"a\": ", "}]", false},
    };
    for (const Case& c : cases)
    {
        Trace log;
        log.echo = nullptr;
        JsonReader deep;
        EXPECT_EQ(deep.Parse(Nested(c.levels, c.open, c.close), "deep.json", &log), c.readable) << c.what;
        bool kept = false;
        EXPECT_EQ(deep.TryReadBool("kept", kept), c.readable) << c.what;
        EXPECT_EQ(log.ReportCount(), c.readable ? 0u : 1u) << c.what;
        if (!c.readable)
        {
            EXPECT_NE(log.Text().find("DATA: deep.json: nested deeper than 64 levels"), std::string::npos)
                << c.what << ": " << log.Text();
            std::string key;
            EXPECT_EQ(deep.NextMember(key), JsonMemberKind::End) << c.what;
        }
    }
}

TEST_F(JsonReaderTest, MemberCountCountsTheCurrentObject)
{
    Load(R"({"a": {}, "b": {"c": 2, "d": [3], "e": {}, "e": {"f": {}}}, "a": 2})");
    EXPECT_EQ(reader.MemberCount(), 3);
    ASSERT_TRUE(reader.Enter("b"));
    EXPECT_EQ(reader.MemberCount(), 4);
    ASSERT_TRUE(reader.Enter("e"));
    EXPECT_EQ(reader.MemberCount(), 0);
}

} // namespace
} // namespace kesto
