#include "SpineTestSupport.h"

namespace kesto::spine
{
namespace
{

// A skeleton whose one slot "s" (on bone "root") holds the given attachments in the default skin.
std::string WithAttachments(std::string_view attachments)
{
    return R"({"bones": [{"name": "root"}], "slots": [{"name": "s", "bone": "root"}], "skins": [{"name": "default",
        "attachments": {"s": {)" +
           std::string(attachments) + "}}}]}";
}

// A mesh "m" of three vertices in slot "s" with the given members (uvs are always three pairs).
std::string Mesh(std::string_view members)
{
    return WithAttachments(R"("m": {"type": "mesh", "path": "arm-img", "uvs": [0, 0, 1, 0, 0, 1], )" +
                           std::string(members) + "}");
}

// Bones "root" and "arm", slots "s" and "t", and one animation "a".
std::string WithAnimation(std::string_view animation)
{
    return R"({"bones": [{"name": "root"}, {"name": "arm", "parent": "root"}],
        "slots": [{"name": "s", "bone": "root"}, {"name": "t", "bone": "arm"}], "animations": {"a": )" +
           std::string(animation) + "}}";
}

struct Case
{
    std::string json;
    std::string message; // after "test.json: "
};

std::vector<Case> MalformedFiles()
{
    const std::string deep = R"({"a": )" + std::string(40, '[') + std::string(40, ']') + "}";
    std::string manyUvs = "0";
    for (int i = 1; i < 65537 * 2; ++i)
    {
        manyUvs += ",0";
    }
    const std::string tooLarge = WithAttachments(R"("m": {"type": "mesh", "path": "arm-img", "triangles": [],
        "vertices": [], "uvs": [)" + manyUvs + "]}");
    return {
        // The document itself.
        {"", "line 1, column 1: the document is empty"},
        {R"({"bones": [{"name": "root"})", "line 1, column 28: expected ',' or ']' after an array element"},
        {"{} x", "line 1, column 4: unexpected text after the document"},
        {"[1, 2]", "the document is not a JSON object"},
        {deep, "line 1, column 38: nested deeper than 32 levels"},
        {R"({"bones": [{"name": "root", "x": 1e400}]})", "line 1, column 34: the number is too large"},
        {"{}", "has no bones"},
        {R"({"bones": {}})", "\"bones\": expected an array"},
        // Bones.
        {R"({"bones": [{"name": "root"}, {"name": "a", "parent": "b"}, {"name": "b", "parent": "root"}]})",
         "bone \"a\": its parent \"b\" must come before it"},
        {R"({"bones": [{"name": "root"}, {"name": "a", "parent": "z"}]})",
         "bone \"a\": its parent \"z\" does not exist"},
        {R"({"bones": [{"name": "root"}, {"name": "root"}]})", "bone \"root\": is defined twice"},
        {R"({"bones": [{"name": "root"}, {"length": 3}]})", "bone 1: has no name"},
        {R"({"bones": [7]})", "bone 0: expected an object"},
        {R"({"bones": [{"name": "root", "x": 1e39}]})", "bone \"root\", \"x\": the number is too large"},
        {R"({"bones": [{"name": "root", "rotation": "90"}]})", "bone \"root\", \"rotation\": expected a number"},
        {R"({"bones": [{"name": "root", "transform": "sideways"}]})", "bone \"root\": unknown transform \"sideways\""},
        // Slots.
        {R"({"bones": [{"name": "root"}], "slots": [{"name": "s", "bone": "arm"}]})",
         "slot \"s\": its bone \"arm\" does not exist"},
        {R"({"bones": [{"name": "root"}], "slots": [{"name": "s", "bone": "root", "blend": "glow"}]})",
         "slot \"s\": unknown blend \"glow\""},
        {R"({"bones": [{"name": "root"}], "slots": [{"name": "s", "bone": "root", "color": "ff00zz"}]})",
         "slot \"s\", \"color\": \"ff00zz\" is not a colour of the form RRGGBBAA"},
        // Skins and attachments.
        {R"({"bones": [{"name": "root"}], "skins": [{"name": "default", "attachments": {"nope": {}}}]})",
         "skin \"default\", slot \"nope\": the slot does not exist"},
        {WithAttachments(R"("a": {"path": "nose", "width": 1, "height": 1})"),
         "skin \"default\", slot \"s\", attachment \"a\": the atlas has no region \"nose\""},
        {WithAttachments(R"("arm-img": {"width": 1})"),
         "skin \"default\", slot \"s\", attachment \"arm-img\": a region needs \"width\" and \"height\""},
        {WithAttachments(R"("a": {"type": "sprite"})"),
         "skin \"default\", slot \"s\", attachment \"a\": unknown attachment type \"sprite\""},
        {WithAttachments(R"("c": {"type": "linkedmesh", "parent": "m", "path": "arm-img"})"),
         "skin \"default\", slot \"s\", attachment \"c\": its parent mesh \"m\" is not in skin \"default\""},
        // Meshes.
        {Mesh(R"("triangles": [0, 1, 3], "vertices": [0, 0, 1, 0, 0, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\": triangle index 2 is past its 3 vertices"},
        {Mesh(R"("triangles": [-1, 1, 2], "vertices": [0, 0, 1, 0, 0, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\", triangle index 0: expected a whole number at least 0 and "
         "below 3"},
        {Mesh(R"("triangles": [0, 1], "vertices": [0, 0, 1, 0, 0, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\": \"triangles\" must hold whole triangles"},
        {Mesh(R"("triangles": [0, 1, 2], "vertices": [0, 0, 1, 0])"),
         "skin \"default\", slot \"s\", attachment \"m\": \"vertices\" holds 4 numbers, fewer than its 3 vertices "
         "need"},
        {Mesh(R"("vertices": [0, 0, 1, 0, 0, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\": a mesh needs \"uvs\", \"vertices\" and \"triangles\""},
        {Mesh(R"("triangles": [0, 1, 2], "vertices": [0, 0, 1, 0, 0, 1], "hull": 4)"),
         "skin \"default\", slot \"s\", attachment \"m\", \"hull\": expected a whole number from 0 to 3"},
        {Mesh(R"("triangles": [], "vertices": [1, 0, 0, 0, 1,  2, 0, 0, 0, 1, 0, 0])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 1: the weight list ends early"},
        {Mesh(R"("triangles": [], "vertices": [1, 0, 0, 0, 1,  1, 0, 0, 0, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 2: the weight list ends early"},
        {Mesh(R"("triangles": [], "vertices": [-1, 0, 0, 0, 1,  1, 0, 0, 0, 1, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 0, bone count: expected a whole number at "
         "least 0 and below 65537"},
        {Mesh(R"("triangles": [], "vertices": [1e9, 0, 0, 0, 1,  1, 0, 0, 0, 1, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 0, bone count: expected a whole number at "
         "least 0 and below 65537"},
        {Mesh(R"("triangles": [], "vertices": [100, 0, 0, 0, 1,  1, 0, 0, 0, 1, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 0: the weight list ends early"},
        {Mesh(R"("triangles": [], "vertices": [1, 5, 0, 0, 1,  1, 0, 0, 0, 1,  1, 0, 0, 0, 1])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 0, bone index: expected a whole number at "
         "least 0 and below 1"},
        {Mesh(R"("triangles": [], "vertices": [1, 0, 0, 0, 1,  1, 0, 0, 0, 1,  1, 0, 0, 0, 1, 7, 7])"),
         "skin \"default\", slot \"s\", attachment \"m\": the weight list holds 2 numbers more than its 3 vertices "
         "use"},
        {Mesh(R"("triangles": [], "vertices": [1, 0, 0, 0, 1,  1, 0, 0, 0, 1,  1, 0, 0, 0, "heavy"])"),
         "skin \"default\", slot \"s\", attachment \"m\", weighted vertex 2, weight: expected a number"},
        {WithAttachments(R"("m": {"type": "mesh", "uvs": [0, 0, 1], "triangles": [], "vertices": []})"),
         "skin \"default\", slot \"s\", attachment \"m\": \"uvs\" must hold pairs of numbers"},
        {tooLarge, "skin \"default\", slot \"s\", attachment \"m\": has more than 65536 vertices"},
        // Animations.
        {WithAnimation(R"({"bones": {"z": {}}})"), "animation \"a\", bone \"z\": the bone does not exist"},
        {WithAnimation(R"({"slots": {"z": {}}})"), "animation \"a\", slot \"z\": the slot does not exist"},
        {WithAnimation(R"({"bones": {"arm": {"rotate": {}}}})"),
         "animation \"a\", bone \"arm\", \"rotate\": expected an array of keys"},
        {WithAnimation(R"({"bones": {"arm": {"rotate": [{"time": 1}, {"time": 0.5}]}}})"),
         "animation \"a\", bone \"arm\", \"rotate\", key 1: its time goes back before the previous key's"},
        {WithAnimation(R"({"bones": {"arm": {"scale": [{"curve": "bouncy"}]}}})"),
         "animation \"a\", bone \"arm\", \"scale\", key 0, \"curve\": unknown curve \"bouncy\""},
        {WithAnimation(R"({"bones": {"arm": {"shear": [{"curve": [0, 1]}]}}})"),
         "animation \"a\", bone \"arm\", \"shear\", key 0, \"curve\": a curve array needs four numbers"},
        {WithAnimation(R"({"slots": {"t": {"color": [{"time": 0}]}}})"),
         "animation \"a\", slot \"t\", \"color\", key 0: needs \"color\""},
        {WithAnimation(R"({"slots": {"t": {"attachment": [{"name": 3}]}}})"),
         "animation \"a\", slot \"t\", \"attachment\", key 0, \"name\": expected a string"},
        {WithAnimation(R"({"drawOrder": [{"offsets": [{"slot": "s", "offset": 1}, {"slot": "t", "offset": -1}]}]})"),
         ""},
        {WithAnimation(R"({"drawOrder": [{"offsets": [{"slot": "s", "offset": 3}]}]})"),
         "animation \"a\", \"drawOrder\", key 0, offset 0, \"offset\": expected a whole number from -2 to 2"},
        {WithAnimation(R"({"drawOrder": [{"offsets": [{"slot": "t", "offset": 1}]}]})"),
         "animation \"a\", \"drawOrder\", key 0, offset 0: slot \"t\" cannot move to position 2"},
        {WithAnimation(R"({"drawOrder": [{"offsets": [{"slot": "s", "offset": 1}, {"slot": "t"}]}]})"),
         "animation \"a\", \"drawOrder\", key 0, offset 1: slot \"t\" cannot move to position 1"},
        {WithAnimation(R"({"drawOrder": [{"offsets": [{"slot": "s"}, {"slot": "s"}]}]})"),
         "animation \"a\", \"drawOrder\", key 0, offset 1: slot \"s\" is moved twice"},
        {WithAnimation(R"({"drawOrder": [{"offsets": [{"slot": "q"}]}]})"),
         "animation \"a\", \"drawOrder\", key 0, offset 0: slot \"q\" does not exist"},
        {R"({"bones": [{"name": "root"}], "animations": {"a": {}, "a": {}}})", "animation \"a\": is defined twice"},
    };
}

class SkeletonJsonErrorTest : public test::SpineFixture
{
};

TEST_F(SkeletonJsonErrorTest, RejectsMalformedFilesWithOneMessageSayingWhatAndWhere)
{
    for (const Case& c : MalformedFiles())
    {
        reports.clear();
        const auto data = LoadSkeleton(c.json);
        const std::string shown = c.json.substr(0, 200);
        if (c.message.empty())
        {
            EXPECT_NE(data, nullptr) << shown;
            EXPECT_TRUE(reports.empty()) << shown;
            continue;
        }
        EXPECT_EQ(data, nullptr) << shown;
        ASSERT_EQ(reports.size(), 1U) << shown;
        EXPECT_EQ(reports[0], "test.json: " + c.message) << shown;
    }
}

// Every shorter prefix of a valid file is either rejected with a message or (never here) valid: reading it
// must not crash or read past the text.
TEST_F(SkeletonJsonErrorTest, RejectsEveryTruncationOfAValidFile)
{
    const std::string full(test::exampleJson);
    for (std::size_t length = 0; length < full.size(); ++length)
    {
        reports.clear();
        // A copy of exactly that length, so reading past it is caught by the address sanitizer.
        const std::string text = full.substr(0, length);
        EXPECT_EQ(LoadSkeleton(text), nullptr) << length;
        EXPECT_EQ(reports.size(), 1U) << length;
    }
}

} // namespace
} // namespace kesto::spine
