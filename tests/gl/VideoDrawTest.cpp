#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "gl/GlWorld.h"
#include "graphics/Video.h"
#include "graphics/VideoData.h"
#include "support/ComponentJson.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using Color = test::Pixels::Color;

constexpr Color black{0, 0, 0};

Color ToColor(test::Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

// A video on a quad of 1600 x 800 world units in the middle of the view: 180 x 90 pixels from (70, 45).
class VideoDrawTest : public test::GlTest
{
protected:
    void TearDown() override
    {
        for (const Entity& entity : videos)
        {
            store.DestroyEntity(entity);
        }
        GlTest::TearDown();
    }

    Video& AddVideo(const std::string& file)
    {
        const Entity entity("Video");
        store.AddComponent<Transform>(entity)->SetScale({1600.0f, 800.0f});
        Video& video = *store.AddComponent<Video>(entity);
        video.assetRoot = test::VideoFolder();
        test::ReadJson(video, R"({"path": ")" + file + R"("})", &registry);
        videos.push_back(entity);
        return *store.GetComponent<Video>(entity);
    }

    // The colours in the upper and lower half of the quad and beside it.
    Color Upper() const { return Window().At(160, 60); }
    Color Lower() const { return Window().At(160, 120); }
    Color Beside() const { return Window().At(30, 90); }

    std::vector<Entity> videos;
};

TEST_F(VideoDrawTest, DrawsTheCurrentPictureUprightOnItsQuadAndHoldsTheLast)
{
    const Video& video = AddVideo("frames.mp4");
    Frames(1);
    // 1/16 s at 30 fps: the second picture.
    ASSERT_EQ(video.framesDecoded, 2);
    EXPECT_TRUE(test::Near(Upper(), ToColor(test::VideoTopColour(1)), 5));
    EXPECT_TRUE(test::Near(Lower(), ToColor(test::videoBottomColour), 5));
    EXPECT_TRUE(test::Near(Beside(), black));
    Frames(3);
    ASSERT_EQ(video.framesDecoded, 8);
    EXPECT_TRUE(test::Near(Upper(), ToColor(test::VideoTopColour(7)), 5));
    Frames(6);
    EXPECT_TRUE(video.finished);
    Frames(1);
    EXPECT_TRUE(test::Near(Upper(), ToColor(test::VideoTopColour(test::videoFrames - 1)), 5));
    EXPECT_TRUE(test::Near(Lower(), ToColor(test::videoBottomColour), 5));
}

TEST_F(VideoDrawTest, NothingIsDrawnForABrokenVideoOrInTheEditor)
{
    AddVideo("destroyed_pictures.mp4");
    Frames(2);
    EXPECT_TRUE(test::Near(Upper(), black));
    EXPECT_TRUE(test::Near(Lower(), black));

    const Video& video = AddVideo("frames.mp4");
    ECS& ecs = *registry.GetSystem<ECS>();
    ecs.systemStore.editorMode = true;
    Frames(2);
    EXPECT_EQ(video.framesDecoded, 0);
    EXPECT_TRUE(test::Near(Upper(), black));
    ecs.systemStore.editorMode = false;
    Frames(1);
    EXPECT_TRUE(test::Near(Upper(), ToColor(test::VideoTopColour(1)), 5));
}

} // namespace
} // namespace kesto
