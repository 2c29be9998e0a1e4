#include "SpineTestSupport.h"

#include <string>

namespace kesto::spine
{
namespace
{

using test::ExpectPoints;
using test::RegionCorners;

class SkeletonTest : public test::SpineFixture
{
};

TEST_F(SkeletonTest, PosesTheWorkedExampleInItsSetupPose)
{
    const auto data = LoadSkeleton(test::exampleJson);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(reports.empty());
    Skeleton skeleton(*data);
    skeleton.UpdateWorldTransform();

    const Bone& arm = *skeleton.FindBone("arm");
    ExpectPoints({arm.a, arm.b, arm.c, arm.d, arm.worldX, arm.worldY}, {0, -1, 1, 0, 10, 20}, 1e-5f, "arm");
    const auto& region = static_cast<const RegionAttachment&>(*skeleton.Slots()[0].attachment);
    ExpectPoints({region.offset.begin(), region.offset.end()}, {0, 10, 50, 10, 50, -10, 0, -10}, 1e-4f, "offsets");
    ExpectPoints(RegionCorners(skeleton.Slots()[0]), {0, 20, 0, 70, 20, 70, 20, 20}, 1e-4f, "world corners");
    const float u1 = 0.03125f, v1 = 0.03125f, u2 = 0.34375f, v2 = 0.8125f;
    ExpectPoints({region.uvs.begin(), region.uvs.end()}, {u1, v2, u1, v1, u2, v1, u2, v2}, 1e-6f, "uvs");
}

TEST_F(SkeletonTest, PosesTheWorkedExampleAQuarterIntoItsWave)
{
    const auto data = LoadSkeleton(test::exampleJson);
    ASSERT_NE(data, nullptr);
    Skeleton skeleton(*data);
    data->FindAnimation("wave")->Apply(skeleton, 0.25f, true, 1.0f, MixBlend::Setup);
    skeleton.UpdateWorldTransform();
    EXPECT_NEAR(skeleton.FindBone("arm")->rotation, 112.5f, 1e-3f);
    ExpectPoints(RegionCorners(skeleton.Slots()[0]),
                 {0.761f, 16.173f, -18.373f, 62.367f, 0.105f, 70.021f, 19.239f, 23.827f}, 2e-3f, "world corners");
}

TEST_F(SkeletonTest, PlacesRegionsTheSameWhetherPackedRotatedOrStripped)
{
    std::string rotated(test::exampleAtlas);
    rotated.replace(rotated.find("rotate: false"), 13, "rotate: true");
    // Packed 10 x 40 out of a 20 x 50 original with 4 pixels stripped on the left and 6 at the bottom.
    std::string stripped(test::exampleAtlas);
    stripped.replace(stripped.find("size: 20, 50"), 12, "size: 10, 40");
    stripped.replace(stripped.find("offset: 0, 0"), 12, "offset: 4, 6");
    struct Case
    {
        std::string atlasText;
        std::vector<float> offsets; // bottom-left, top-left, top-right, bottom-right in arm space
        std::vector<float> uvs;
    };
    const float u1 = 2.0f / 64, v1 = 2.0f / 64;
    const std::vector<Case> cases = {
        {std::string(test::exampleAtlas),
         {0, 10, 50, 10, 50, -10, 0, -10},
         {u1, 52.0f / 64, u1, v1, 22.0f / 64, v1, 22.0f / 64, 52.0f / 64}},
        // On the page the region is 50 wide and 20 tall; its corners turn with it.
        {rotated, {0, 10, 50, 10, 50, -10, 0, -10}, {52.0f / 64, 22.0f / 64, u1, 22.0f / 64, u1, v1, 52.0f / 64, v1}},
        // Local rectangle x -6..4, y -19..21 before the -90 degree turn about (25, 0).
        {stripped, {6, 6, 46, 6, 46, -4, 6, -4}, {u1, 42.0f / 64, u1, v1, 12.0f / 64, v1, 12.0f / 64, 42.0f / 64}},
    };
    for (const Case& c : cases)
    {
        const auto data = LoadSkeleton(test::exampleJson, c.atlasText);
        ASSERT_NE(data, nullptr);
        Skeleton skeleton(*data);
        const auto& region = static_cast<const RegionAttachment&>(*skeleton.Slots()[0].attachment);
        ExpectPoints({region.offset.begin(), region.offset.end()}, c.offsets, 1e-4f, c.atlasText);
        ExpectPoints({region.uvs.begin(), region.uvs.end()}, c.uvs, 1e-6f, c.atlasText);
    }
}

TEST_F(SkeletonTest, ChainsRotationScaleAndShearThroughTheBones)
{
    const auto data = LoadSkeleton(R"({"bones": [
        {"name": "root", "rotation": 90, "scaleX": 2},
        {"name": "child", "parent": "root", "x": 10, "rotation": -90, "scaleY": 3},
        {"name": "tip", "parent": "child", "x": 1, "y": 1, "shearY": -45}]})");
    ASSERT_NE(data, nullptr);
    struct Case
    {
        float x, y, scaleX, scaleY;            // skeleton placement
        std::vector<std::vector<float>> bones; // a, b, c, d, worldX, worldY per bone
    };
    const float h = 0.70710678f;
    const std::vector<Case> cases = {
        {0, 0, 1, 1, {{0, -1, 2, 0, 0, 0}, {1, 0, 0, 6, 0, 20}, {1, h, 0, 6 * h, 1, 26}}},
        // Mirrored and moved: the skeleton's scale applies to the root's rows, the rest follows.
        {100, 50, -1, 1, {{0, 1, 2, 0, 100, 50}, {-1, 0, 0, 6, 100, 70}, {-1, -h, 0, 6 * h, 99, 76}}},
        // Half size, as a transform scale of 500 asks for.
        {0, 0, 0.5f, 0.5f, {{0, -0.5f, 1, 0, 0, 0}, {0.5f, 0, 0, 3, 0, 10}, {0.5f, h / 2, 0, 3 * h, 0.5f, 13}}},
    };
    Skeleton skeleton(*data);
    for (const Case& c : cases)
    {
        skeleton.x = c.x;
        skeleton.y = c.y;
        skeleton.scaleX = c.scaleX;
        skeleton.scaleY = c.scaleY;
        skeleton.UpdateWorldTransform();
        for (std::size_t i = 0; i < c.bones.size(); ++i)
        {
            const Bone& bone = skeleton.Bones()[i];
            ExpectPoints({bone.a, bone.b, bone.c, bone.d, bone.worldX, bone.worldY}, c.bones[i], 1e-4f,
                         "placement " + std::to_string(c.scaleX) + ", bone " + bone.data.name);
        }
    }
}

constexpr std::string_view meshJson = R"({
  "bones": [ { "name": "root" }, { "name": "arm", "parent": "root", "x": 100, "rotation": 90 } ],
  "slots": [ { "name": "skin", "bone": "root", "attachment": "flap" },
             { "name": "patch", "bone": "arm", "attachment": "patch" } ],
  "skins": [ { "name": "default", "attachments": {
    "skin": { "flap": { "type": "mesh", "path": "arm-img",
      "uvs": [ 0, 0, 1, 0, 0.5, 1 ],
      "triangles": [ 0, 1, 2 ],
      "vertices": [ 2, 0, 10, 0, 0.5, 1, 10, 0, 0.5,  1, 1, 0, 20, 1,  1, 0, 5, 5, 1 ],
      "hull": 3 } },
    "patch": { "patch": { "type": "mesh", "path": "arm-img",
      "uvs": [ 0, 0, 1, 0, 0, 1 ], "triangles": [ 0, 1, 2 ], "vertices": [ 0, 0, 10, 0, 0, 10 ] } } } } ],
  "animations": { "bend": { "bones": { "arm": { "rotate": [ { "angle": 90 } ] } } } }
})";

std::vector<float> MeshVertices(const Slot& slot, std::size_t start = 0, std::size_t count = 0)
{
    const auto& mesh = static_cast<const MeshAttachment&>(*slot.attachment);
    count = count ? count : mesh.worldVerticesLength;
    std::vector<float> out(count);
    mesh.ComputeWorldVertices(slot, start, count, out, 0, 2);
    return out;
}

TEST_F(SkeletonTest, WeighsMeshVerticesBetweenBones)
{
    const auto data = LoadSkeleton(meshJson);
    ASSERT_NE(data, nullptr);
    Skeleton skeleton(*data);
    skeleton.UpdateWorldTransform();
    const Slot& weighted = *skeleton.FindSlot("skin");
    const Slot& unweighted = *skeleton.FindSlot("patch");
    const auto& mesh = static_cast<const MeshAttachment&>(*weighted.attachment);
    EXPECT_TRUE(mesh.IsWeighted());
    EXPECT_EQ(mesh.hullLength, 6);
    // (10, 0) half on the root and half on the arm (at (100, 10) in the world); (0, 20) on the arm; (5, 5) on
    // the root.
    ExpectPoints(MeshVertices(weighted), {55, 5, 80, 0, 5, 5}, 1e-4f, "weighted");
    ExpectPoints(MeshVertices(weighted, 2, 4), {80, 0, 5, 5}, 1e-4f, "weighted from the second vertex");
    ExpectPoints(MeshVertices(unweighted), {100, 0, 100, 10, 90, 0}, 1e-4f, "unweighted");
    // UVs over the region (2, 2)-(22, 52) of the 64 x 64 page.
    ExpectPoints(mesh.uvs, {2.0f / 64, 2.0f / 64, 22.0f / 64, 2.0f / 64, 12.0f / 64, 52.0f / 64}, 1e-6f, "uvs");

    // Turning the arm a further 90 degrees moves only what it weighs.
    data->FindAnimation("bend")->Apply(skeleton, 0, false, 1, MixBlend::Setup);
    skeleton.UpdateWorldTransform();
    ExpectPoints(MeshVertices(weighted), {50, 0, 100, -20, 5, 5}, 1e-4f, "weighted after bending");
    ExpectPoints(MeshVertices(unweighted), {100, 0, 90, 0, 100, -10}, 1e-4f, "unweighted after bending");

    std::vector<float> small(4);
    EXPECT_THROW(mesh.ComputeWorldVertices(weighted, 0, 6, small, 0, 2), std::out_of_range);
    EXPECT_THROW(mesh.ComputeWorldVertices(weighted, 4, 4, small, 0, 2), std::out_of_range);
}

TEST_F(SkeletonTest, SwitchesAttachmentsThroughSkins)
{
    const auto data = LoadSkeleton(R"({
      "bones": [ { "name": "root" } ],
      "slots": [ { "name": "body", "bone": "root", "attachment": "look" },
                 { "name": "hat", "bone": "root", "attachment": "plain", "blend": "additive", "color": "ff000080" } ],
      "skins": [
        { "name": "default", "attachments": { "hat": { "plain": { "path": "arm-img", "width": 1, "height": 1 } } } },
        { "name": "red", "attachments": { "body": { "look": { "path": "arm-img", "width": 2, "height": 2 } } } },
        { "name": "blue", "attachments": { "body": { "look": { "path": "arm-img", "width": 3, "height": 3 } } } } ]
    })");
    ASSERT_NE(data, nullptr);
    Skeleton skeleton(*data);
    Slot& body = *skeleton.FindSlot("body");
    Slot& hat = *skeleton.FindSlot("hat");
    EXPECT_EQ(body.attachment, nullptr);
    EXPECT_EQ(hat.data.blendMode, BlendMode::Additive);
    EXPECT_EQ(hat.color, (Color{1, 0, 0, 128.0f / 255}));

    ASSERT_TRUE(skeleton.SetSkinByName("red"));
    ASSERT_NE(body.attachment, nullptr);
    EXPECT_FLOAT_EQ(static_cast<const RegionAttachment*>(body.attachment)->width, 2);
    ASSERT_TRUE(skeleton.SetSkinByName("blue"));
    EXPECT_FLOAT_EQ(static_cast<const RegionAttachment*>(body.attachment)->width, 3);
    EXPECT_FALSE(skeleton.SetSkinByName("green"));

    EXPECT_TRUE(skeleton.SetAttachment("hat", ""));
    EXPECT_EQ(hat.attachment, nullptr);
    EXPECT_FALSE(skeleton.SetAttachment("hat", "missing"));
    EXPECT_TRUE(skeleton.SetAttachment("hat", "plain"));
    EXPECT_NE(hat.attachment, nullptr);
    EXPECT_FALSE(skeleton.SetAttachment("nobody", "plain"));
}

} // namespace
} // namespace kesto::spine
