// Checks the game's skeletons under Assets/Art/Spine: each folder's atlas and skeleton load cleanly, the setup
// pose fills the bounds the file states, and "animation" loops seamlessly under the game's per-frame calls.
#include "SpineTestSupport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace kesto::spine
{
namespace
{

// World positions of everything the skeleton shows, as (x, y) pairs in draw order.
std::vector<float> ShownVertices(const Skeleton& skeleton)
{
    std::vector<float> points;
    for (const Slot* slot : skeleton.DrawOrder())
    {
        if (!slot->attachment)
        {
            continue;
        }
        std::vector<float> vertices;
        if (slot->attachment->type == AttachmentType::Region)
        {
            vertices.resize(8);
            static_cast<const RegionAttachment&>(*slot->attachment).ComputeWorldVertices(slot->bone, vertices, 0, 2);
        }
        else
        {
            const auto& mesh = static_cast<const MeshAttachment&>(*slot->attachment);
            vertices.resize(mesh.worldVerticesLength);
            mesh.ComputeWorldVertices(*slot, 0, mesh.worldVerticesLength, vertices, 0, 2);
        }
        points.insert(points.end(), vertices.begin(), vertices.end());
    }
    return points;
}

class SpineContentTest : public test::SpineFixture
{
protected:
    struct Loaded
    {
        std::unique_ptr<Atlas> atlas;
        std::unique_ptr<SkeletonData> data;
    };

    Loaded Load(const std::string& name)
    {
        const std::string folder = std::string(KESTO_SPINE_ASSETS) + "/" + name + "/" + name;
        Loaded loaded;
        loaded.atlas = LoadAtlasFile(folder + ".atlas", Host{}, Collector());
        if (loaded.atlas)
        {
            loaded.data = SkeletonJson(*loaded.atlas, Collector()).ReadSkeletonDataFile(folder + ".json");
        }
        return loaded;
    }

    // What the game does every frame for a sprite with a skeleton.
    static void Frame(AnimationState& state, Skeleton& skeleton, float dt)
    {
        state.Update(dt);
        state.Apply(skeleton);
        skeleton.UpdateWorldTransform();
        const TrackEntry* current = state.GetCurrent(0);
        if (!current || !current->next)
        {
            state.AddAnimationByName(0, "animation", true, 0.0f);
        }
    }
};

TEST_F(SpineContentTest, EverySkeletonFolderLoadsCleanly)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(KESTO_SPINE_ASSETS))
    {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Banner", "Lamp"}));
    for (const std::string& name : names)
    {
        const Loaded loaded = Load(name);
        ASSERT_NE(loaded.data, nullptr) << name;
        EXPECT_TRUE(reports.empty()) << reports[0];
        const SkeletonData& data = *loaded.data;
        const Animation* animation = data.FindAnimation("animation");
        ASSERT_NE(animation, nullptr) << name;
        EXPECT_GT(animation->duration, 1.0f) << name;
        for (const AtlasRegion& region : loaded.atlas->Regions())
        {
            EXPECT_TRUE(region.u >= 0 && region.u2 <= 1 && region.v >= 0 && region.v2 <= 1) << region.name;
        }

        // The setup pose fills exactly the box the file states.
        Skeleton skeleton(data);
        skeleton.UpdateWorldTransform();
        const std::vector<float> points = ShownVertices(skeleton);
        ASSERT_FALSE(points.empty()) << name;
        float box[4] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                        std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
        for (std::size_t i = 0; i < points.size(); i += 2)
        {
            box[0] = std::min(box[0], points[i]);
            box[1] = std::min(box[1], points[i + 1]);
            box[2] = std::max(box[2], points[i]);
            box[3] = std::max(box[3], points[i + 1]);
        }
        test::ExpectPoints({box[0], box[1], box[2] - box[0], box[3] - box[1]},
                           {data.x, data.y, data.width, data.height}, 0.1f, name + " bounds");
    }
}

TEST_F(SpineContentTest, LoopsItsAnimationSeamlesslyAndIndependentlyPerInstance)
{
    for (const std::string name : {"Lamp", "Banner"})
    {
        const Loaded loaded = Load(name);
        ASSERT_NE(loaded.data, nullptr) << name;
        const float duration = loaded.data->FindAnimation("animation")->duration;
        const AnimationStateData stateData(*loaded.data);
        Skeleton skeleton(*loaded.data);
        AnimationState state(stateData);
        Skeleton still(*loaded.data);
        AnimationState stillState(stateData);
        // The first frame only queues "animation"; the second shows it at time 0.
        for (int i = 0; i < 2; ++i)
        {
            Frame(state, skeleton, 0.0f);
            Frame(stillState, still, 0.0f);
        }
        const std::vector<float> start = ShownVertices(skeleton);

        // Two loops at 60 frames per second; the pose keeps moving and stays finite.
        const float dt = 1.0f / 60.0f;
        const int frames = static_cast<int>(std::lround(2.0f * duration / dt));
        float largestMove = 0.0f;
        for (int i = 0; i < frames; ++i)
        {
            Frame(state, skeleton, dt);
            Frame(stillState, still, 0.0f);
            const std::vector<float> now = ShownVertices(skeleton);
            for (std::size_t k = 0; k < now.size(); ++k)
            {
                ASSERT_TRUE(std::isfinite(now[k])) << name << " frame " << i;
                largestMove = std::max(largestMove, std::fabs(now[k] - start[k]));
            }
        }
        EXPECT_GT(largestMove, 10.0f) << name << " hardly moves";
        // Back where it started after whole loops, and the second instance never moved.
        test::ExpectPoints(ShownVertices(skeleton), start, 0.5f, name + " after two loops");
        test::ExpectPoints(ShownVertices(still), start, 0.0f, name + " left alone");
    }
}

TEST_F(SpineContentTest, ShowsItsLightAdditivelyAndItsClothAsAWeightedMesh)
{
    const Loaded lamp = Load("Lamp");
    ASSERT_NE(lamp.data, nullptr);
    const SlotData* glow = lamp.data->FindSlot("glow");
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->blendMode, BlendMode::Additive);
    EXPECT_TRUE(std::any_of(lamp.atlas->Regions().begin(), lamp.atlas->Regions().end(),
                            [](const AtlasRegion& region) { return region.rotate; }));

    const Loaded banner = Load("Banner");
    ASSERT_NE(banner.data, nullptr);
    const Skeleton skeleton(*banner.data);
    const Slot& cloth = skeleton.Slots()[static_cast<std::size_t>(banner.data->FindSlot("cloth")->index)];
    ASSERT_NE(cloth.attachment, nullptr);
    ASSERT_EQ(cloth.attachment->type, AttachmentType::Mesh);
    EXPECT_TRUE(static_cast<const MeshAttachment&>(*cloth.attachment).IsWeighted());
}

} // namespace
} // namespace kesto::spine
