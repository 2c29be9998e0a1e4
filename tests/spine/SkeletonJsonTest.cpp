#include "SpineTestSupport.h"

#include <filesystem>
#include <fstream>

namespace kesto::spine
{
namespace
{

class SkeletonJsonTest : public test::SpineFixture
{
};

TEST_F(SkeletonJsonTest, ReadsTheWorkedExample)
{
    const auto data = LoadSkeleton(test::exampleJson);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(data->version, "3.8.99");
    EXPECT_EQ(data->hash, "example");
    test::ExpectPoints({data->x, data->y, data->width, data->height}, {0, 20, 20, 50}, 0, "bounds");
    ASSERT_EQ(data->bones.size(), 2U);
    const BoneData& arm = data->bones[1];
    EXPECT_EQ(arm.parent, 0);
    EXPECT_FLOAT_EQ(arm.length, 50);
    EXPECT_FLOAT_EQ(arm.rotation, 90);
    ASSERT_EQ(data->slots.size(), 1U);
    EXPECT_EQ(data->slots[0].boneIndex, 1);
    EXPECT_EQ(data->slots[0].attachmentName, "arm-img");
    ASSERT_NE(data->defaultSkin, nullptr);
    const Attachment* attachment = data->defaultSkin->GetAttachment(0, "arm-img");
    ASSERT_NE(attachment, nullptr);
    EXPECT_EQ(attachment->type, AttachmentType::Region);
    EXPECT_EQ(attachment->region, atlases.back()->FindRegion("arm-img"));
    const Animation* wave = data->FindAnimation("wave");
    ASSERT_NE(wave, nullptr);
    EXPECT_FLOAT_EQ(wave->duration, 1.0f);
    ASSERT_EQ(wave->timelines.size(), 1U);
    const auto& rotate = static_cast<const RotateTimeline&>(*wave->timelines[0]);
    EXPECT_EQ(rotate.curves[0].type, CurveType::Bezier);
    test::ExpectPoints({rotate.curves[0].c1, rotate.curves[0].c2, rotate.curves[0].c3, rotate.curves[0].c4},
                       {0.25f, 0, 0.75f, 1}, 0, "handles");
    EXPECT_EQ(rotate.curves[1].type, CurveType::Linear);
}

TEST_F(SkeletonJsonTest, ReadsPastWhatItDoesNotPose)
{
    // Constraints, events, deform keys, clipping and bounding boxes load without effect; linked meshes share
    // their parent's geometry; the pre-3.8 skin object and curve array are accepted.
    const auto data = LoadSkeleton(R"({
      "skeleton": { "spine": "3.8.55" },
      "bones": [ { "name": "root" }, { "name": "a", "parent": "root", "skin": true }, { "name": "b", "parent": "a" } ],
      "slots": [ { "name": "s", "bone": "a", "attachment": "m", "dark": "000000" }, { "name": "clip", "bone": "root" } ],
      "ik": [ { "name": "reach", "bones": [ "a", "b" ], "target": "root" } ],
      "transform": [], "path": [],
      "skins": { "default": {
        "s": { "m": { "type": "mesh", "path": "arm-img", "uvs": [ 0, 0, 1, 0, 1, 1 ], "triangles": [ 2, 1, 0 ],
                      "vertices": [ 0, 0, 4, 0, 4, 4 ], "hull": 3, "edges": [ 0, 2 ], "width": 20, "height": 50 },
               "copy": { "type": "linkedmesh", "parent": "m", "path": "arm-img", "color": "00ff00ff" },
               "hit": { "type": "boundingbox", "vertexCount": 1, "vertices": [ 0, 0 ] },
               "spot": { "type": "point", "x": 1 } },
        "clip": { "cut": { "type": "clipping", "end": "s", "vertexCount": 1, "vertices": [ 0, 0 ] } } } },
      "events": { "step": { "int": 1 } },
      "animations": { "all": {
        "bones": { "a": { "rotate": [ { "angle": 10, "curve": [ 0.1, 0.2, 0.3, 0.4 ] }, { "time": 1 } ] } },
        "slots": { "s": { "twoColor": [ { "light": "ff000080", "dark": "00ff00" } ] } },
        "ik": { "reach": [ { "time": 5, "mix": 0 } ] },
        "deform": { "default": { "s": { "m": [ { "time": 2, "offset": 1, "vertices": [ 1 ] } ] } } },
        "events": [ { "time": 3, "name": "step" } ] } }
    })");
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(reports.empty()) << reports[0];
    EXPECT_TRUE(data->bones[1].skinRequired);
    const auto* copy = static_cast<const MeshAttachment*>(data->defaultSkin->GetAttachment(0, "copy"));
    const auto* mesh = static_cast<const MeshAttachment*>(data->defaultSkin->GetAttachment(0, "m"));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(copy->vertices, mesh->vertices);
    EXPECT_EQ(copy->triangles, (std::vector<std::uint16_t>{2, 1, 0}));
    EXPECT_EQ(copy->uvs, mesh->uvs);
    EXPECT_EQ(copy->color, (Color{0, 1, 0, 1}));
    EXPECT_EQ(data->defaultSkin->GetAttachment(0, "hit"), nullptr);
    EXPECT_EQ(data->defaultSkin->GetAttachment(1, "cut"), nullptr);

    const Animation& all = *data->FindAnimation("all");
    EXPECT_FLOAT_EQ(all.duration, 5.0f) << "constraint keys count towards the duration";
    ASSERT_EQ(all.timelines.size(), 2U);
    const auto& rotate = static_cast<const RotateTimeline&>(*all.timelines[0]);
    EXPECT_FLOAT_EQ(rotate.curves[0].c4, 0.4f);
    Skeleton skeleton(*data);
    all.Apply(skeleton, 0.0f, false, 1.0f, MixBlend::Setup);
    EXPECT_EQ(skeleton.Slots()[0].color, (Color{1, 0, 0, 128.0f / 255}));
}

TEST_F(SkeletonJsonTest, WarnsInOneLineAboutWhatItPosesDifferently)
{
    const auto data = LoadSkeleton(R"({ "skeleton": { "spine": "4.0.64" }, "bones": [ { "name": "root" },
        { "name": "head", "parent": "root", "transform": "noScale" },
        { "name": "hat", "parent": "head", "transform": "onlyTranslation" },
        { "name": "eye", "parent": "head", "transform": "normal" } ] })");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->bones[1].transformMode, TransformMode::NoScale);
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], "test.json: written by Spine 4.0.64 and read as Spine 3.8; bones \"head\", \"hat\" inherit "
                          "with a transform other than \"normal\" and are posed as \"normal\"");
}

TEST_F(SkeletonJsonTest, ReadsFilesThroughTheAtlasHost)
{
    const auto folder = std::filesystem::temp_directory_path() / "kesto_spine_json_test";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Arm.json") << test::exampleJson;
    std::vector<std::string> read;
    Host host = test::HeadlessHost();
    host.readFile = [&](const std::string& path)
    {
        read.push_back(path);
        return ReadFile(path);
    };
    const auto atlas = LoadAtlasFromText(test::exampleAtlas, "", "Arm.atlas", host, Collector());
    ASSERT_NE(atlas, nullptr);
    const SkeletonJson json(*atlas, Collector());
    EXPECT_NE(json.ReadSkeletonDataFile((folder / "Arm.json").string()), nullptr);
    EXPECT_EQ(json.ReadSkeletonDataFile((folder / "Leg.json").string()), nullptr);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(read, (std::vector<std::string>{(folder / "Arm.json").string(), (folder / "Leg.json").string()}));
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], (folder / "Leg.json").string() + ": cannot be read");
}

} // namespace
} // namespace kesto::spine
