#include "animation/SkeletonBatcher.h"

#include "spine/SpineTestSupport.h"

#include <string>
#include <vector>

namespace kesto
{
namespace
{

// The worked example's arm plus a 10 x 10 square mesh on the root whose first triangle the editor wound
// clockwise and whose second counter-clockwise.
const std::string skeletonJson = R"({
  "bones": [
    { "name": "root" },
    { "name": "arm", "parent": "root", "length": 50, "x": 10, "y": 20, "rotation": 90 }
  ],
  "slots": [
    { "name": "arm-slot", "bone": "arm", "attachment": "arm-img" },
    { "name": "cloth", "bone": "root", "attachment": "square" }
  ],
  "skins": [ { "name": "default", "attachments": {
    "arm-slot": { "arm-img": { "x": 25, "rotation": -90, "width": 20, "height": 50 } },
    "cloth": { "square": { "type": "mesh", "path": "arm-img", "uvs": [0, 1, 1, 1, 1, 0, 0, 0],
                           "triangles": [0, 2, 1, 0, 2, 3], "vertices": [0, 0, 10, 0, 10, 10, 0, 10], "hull": 4 } }
  } } ]
})";

// Twice the signed area: positive when counter-clockwise.
float Winding(const DrawVertex& a, const DrawVertex& b, const DrawVertex& c)
{
    return (b.position.x - a.position.x) * (c.position.y - a.position.y) -
           (b.position.y - a.position.y) * (c.position.x - a.position.x);
}

class SkeletonBatcherTest : public spine::test::SpineFixture
{
protected:
    void SetUp() override
    {
        data = LoadSkeleton(skeletonJson);
        ASSERT_NE(data, nullptr) << (reports.empty() ? "" : reports[0]);
        skeleton = std::make_unique<spine::Skeleton>(*data);
    }

    // Poses the skeleton with that horizontal scale and gathers one slot.
    void GatherSlot(const char* slotName, float scaleX)
    {
        skeleton->scaleX = scaleX;
        skeleton->UpdateWorldTransform();
        const spine::Slot& slot = *skeleton->FindSlot(slotName);
        batcher.Gather(slot, *slot.attachment);
    }

    std::vector<float> Positions() const
    {
        std::vector<float> out;
        for (const DrawVertex& v : batcher.Vertices())
        {
            out.insert(out.end(), {v.position.x, v.position.y});
        }
        return out;
    }

    std::vector<float> Uvs() const
    {
        std::vector<float> out;
        for (const DrawVertex& v : batcher.Vertices())
        {
            out.insert(out.end(), {v.uv.x, v.uv.y});
        }
        return out;
    }

    void ExpectCounterClockwise(const char* what) const
    {
        const auto& v = batcher.Vertices();
        const auto& i = batcher.Indices();
        for (std::size_t t = 0; t + 2 < i.size(); t += 3)
        {
            EXPECT_GT(Winding(v[i[t]], v[i[t + 1]], v[i[t + 2]]), 0.0f) << what << ", triangle " << t / 3;
        }
    }

    std::unique_ptr<spine::SkeletonData> data;
    std::unique_ptr<spine::Skeleton> skeleton;
    SkeletonBatcher batcher;
};

TEST_F(SkeletonBatcherTest, RegionsGiveTheirCornersInOrderFacingTheViewerMirroredOrNot)
{
    // Atlas v counts down the page; textures count up.
    const float u1 = 0.03125f, v1 = 1.0f - 0.03125f, u2 = 0.34375f, v2 = 1.0f - 0.8125f;
    struct Case
    {
        float scaleX;
        std::vector<float> corners; // bottom left, top left, top right, bottom right
        std::vector<std::uint32_t> indices;
    };
    // Corners 0, 1, 2 wind clockwise and are turned; mirrored, they already face the viewer.
    const Case cases[] = {
        {1.0f, {0, 20, 0, 70, 20, 70, 20, 20}, {1, 0, 2, 3, 2, 0}},
        {-1.0f, {0, 20, 0, 70, -20, 70, -20, 20}, {0, 1, 2, 2, 3, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.scaleX);
        GatherSlot("arm-slot", c.scaleX);
        spine::test::ExpectPoints(Positions(), c.corners, 1e-4f, "corners");
        spine::test::ExpectPoints(Uvs(), {u1, v2, u1, v1, u2, v1, u2, v2}, 1e-6f, "uvs");
        EXPECT_EQ(batcher.Indices(), c.indices);
        ExpectCounterClockwise("region");
    }
}

TEST_F(SkeletonBatcherTest, MeshTrianglesSwapTheirFirstTwoVerticesAndFaceTheViewer)
{
    GatherSlot("cloth", 1.0f);
    spine::test::ExpectPoints(Positions(), {0, 0, 10, 0, 10, 10, 0, 10}, 1e-4f, "vertices");
    // (0, 2, 1) swaps to (2, 0, 1), which faces the viewer; (0, 2, 3) swaps to (2, 0, 3), which does not and turns
    // back.
    EXPECT_EQ(batcher.Indices(), (std::vector<std::uint32_t>{2, 0, 1, 0, 2, 3}));
    ExpectCounterClockwise("mesh");
    // The mesh's image-relative v of 1 (its bottom edge) is the region's bottom on the page.
    EXPECT_NEAR(batcher.Vertices()[0].uv.y, 1.0f - 0.8125f, 1e-6f);

    GatherSlot("cloth", -1.0f);
    ExpectCounterClockwise("mirrored mesh");
}

} // namespace
} // namespace kesto
