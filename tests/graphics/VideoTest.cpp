#include "graphics/Video.h"

#include "audio/Audio.h"
#include "ecs/Transform.h"
#include "graphics/GraphicsWorld.h"
#include "graphics/VideoData.h"
#include "support/ComponentJson.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

using test::VideoFile;
using test::VideoFolder;

TEST(Video, ReadsPathAndComparesOnlyIt)
{
    test::QuietTrace quiet;
    Video video;
    EXPECT_EQ(video.path, "");
    test::ReadJson(video, R"({"path": 12})", &quiet.registry);
    EXPECT_EQ(video.path, "");
    test::ReadJson(video, R"({"path": "Assets/Videos/Intro.mp4"})", &quiet.registry);
    EXPECT_EQ(video.path, "Assets/Videos/Intro.mp4");

    const Video copy = test::RoundTrip(video);
    EXPECT_TRUE(copy.Equals(video));
    Video playing = video;
    playing.time = 3.0f;
    playing.framesDecoded = 90;
    playing.finished = true;
    EXPECT_TRUE(playing.Equals(video));
    playing.path = "Assets/Videos/Outro.mp4";
    EXPECT_FALSE(playing.Equals(video));
}

TEST(Video, WithoutAnAssetRootNoFileIsRead)
{
    test::QuietTrace quiet;
    Video video;
    test::ReadJson(video, R"({"path": "frames.mp4"})", &quiet.registry);
    EXPECT_EQ(video.File(), "");
    EXPECT_FALSE(video.IsOpen());
    EXPECT_FALSE(video.finished);
    EXPECT_EQ(quiet.trace->Text(), "");
    video.assetRoot = VideoFolder();
    video.Open();
    EXPECT_TRUE(video.IsOpen());
}

TEST(Video, CloneCopiesCountersAndFlags)
{
    Video video;
    video.path = "a.mp4";
    video.framesDecoded = 12;
    video.fps = 30.0;
    video.time = 0.4f;
    video.startPending = true;
    video.assetRoot = "Root/";
    const std::unique_ptr<Component> cloned = video.Clone();
    const auto& copy = static_cast<const Video&>(*cloned);
    EXPECT_EQ(copy.path, "a.mp4");
    EXPECT_EQ(copy.framesDecoded, 12);
    EXPECT_EQ(copy.fps, 30.0);
    EXPECT_EQ(copy.time, 0.4f);
    EXPECT_TRUE(copy.startPending);
    EXPECT_EQ(copy.assetRoot, "Root/");
}

// Videos played by the renderer frame by frame, without a GL context: decoding, pacing, the sound track and
// failures, which the cinematics' flow depends on.
class VideoPlayTest : public ::testing::Test
{
protected:
    void SetUp() override { graphics.Init(); }

    // A video entity reading `file` of tests/data/video as a level would, with that folder as its asset root.
    Video& AddVideo(const std::string& file)
    {
        entity = Entity("Video");
        graphics.Store().AddComponent<Transform>(entity);
        Video& video = *graphics.Store().AddComponent<Video>(entity);
        video.assetRoot = VideoFolder();
        test::ReadJson(video, R"({"path": ")" + file + R"("})", &graphics.world.registry);
        return video;
    }

    Video& Played() { return *graphics.Store().GetComponent<Video>(entity); }

    // One renderer frame; the pictures it decoded.
    int Frame(float dt)
    {
        const int before = Played().framesDecoded;
        graphics.Renderer().Update(graphics.world.Systems().GetEntityList<RendererSystem>(), dt);
        return Played().framesDecoded - before;
    }

    // How many reports name the file.
    int Reports(const std::string& file) const
    {
        const std::string text = graphics.world.trace->Text();
        int count = 0;
        for (std::size_t at = text.find(file); at != std::string::npos; at = text.find(file, at + 1))
        {
            ++count;
        }
        return count;
    }

    bool SoundTrackPlaying()
    {
        bool playing = false;
        graphics.world.Systems().GetSystem<Audio>()->cinematicChannel.IsPlaying(&playing);
        return playing;
    }

    test::GraphicsWorld graphics;
    Entity entity;
};

TEST_F(VideoPlayTest, ThirtyFpsVideoInASixtyFpsGameDecodesEverySecondFrame)
{
    AddVideo("frames.mp4");
    for (int frame = 0; frame < 2 * (test::videoFrames - 1); ++frame)
    {
        ASSERT_EQ(Frame(1.0f / 60.0f), frame % 2 == 0 ? 1 : 0) << "game frame " << frame;
        EXPECT_TRUE(test::IsTestPicture(Played().Pixels(), Played().framesDecoded - 1));
    }
    EXPECT_FALSE(Played().finished);
}

TEST_F(VideoPlayTest, AHitchOfATenthOfASecondDecodesThreePictures)
{
    AddVideo("frames.mp4");
    EXPECT_EQ(Frame(0.1f), 3);
    EXPECT_TRUE(test::IsTestPicture(Played().Pixels(), 2));
    EXPECT_EQ(Frame(0.1f), 3);
    EXPECT_TRUE(test::IsTestPicture(Played().Pixels(), 5));
    // Picture 7 shows once its time has begun, and holds while the game runs faster than the video.
    EXPECT_EQ(Frame(0.0f), 0);
    EXPECT_EQ(Frame(0.01f), 1);
    EXPECT_EQ(Frame(0.01f), 0);
    EXPECT_TRUE(test::IsTestPicture(Played().Pixels(), 6));
}

TEST_F(VideoPlayTest, AfterALongStallOneFrameDecodesAtMostItsShareAndTheRestFollow)
{
    // "long.mp4" has 300 pictures at 30 fps; a caller that does not clamp its step asks for 5 s at once.
    Video& video = AddVideo("long.mp4");
    EXPECT_TRUE(video.Advance(5.0f));
    EXPECT_EQ(video.framesDecoded, Video::maxFramesPerUpdate);
    EXPECT_TRUE(video.Advance(0.0f));
    EXPECT_EQ(video.framesDecoded, 2 * Video::maxFramesPerUpdate);
}

TEST_F(VideoPlayTest, TheLastPictureStaysAfterTheEnd)
{
    AddVideo("frames.mp4");
    for (int frame = 0; frame < 5; ++frame)
    {
        Frame(0.1f);
    }
    EXPECT_TRUE(Played().finished);
    EXPECT_EQ(Played().framesDecoded, test::videoFrames);
    EXPECT_EQ(Frame(0.1f), 0);
    EXPECT_TRUE(Played().IsOpen());
    EXPECT_TRUE(test::IsTestPicture(Played().Pixels(), test::videoFrames - 1));
    EXPECT_EQ(Reports("frames.mp4"), 0);
}

TEST_F(VideoPlayTest, TheSoundTrackStartsWithTheFirstPlayedFrameAndNotInTheEditor)
{
    // Written with a backslash, as data files may; the sound track is found all the same.
    entity = Entity("Video");
    graphics.Store().AddComponent<Transform>(entity);
    Video& video = *graphics.Store().AddComponent<Video>(entity);
    video.assetRoot = std::string(KESTO_TEST_DATA) + "/";
    test::ReadJson(video, R"({"path": "video\\frames.mp4"})", &graphics.world.registry);
    EXPECT_TRUE(video.IsOpen());
    EXPECT_TRUE(video.startPending);
    graphics.world.Systems().editorMode = true;
    EXPECT_EQ(Frame(0.1f), 0);
    EXPECT_TRUE(Played().startPending);
    EXPECT_FALSE(SoundTrackPlaying());
    graphics.world.Systems().editorMode = false;
    EXPECT_EQ(Frame(0.1f), 3);
    EXPECT_FALSE(Played().startPending);
    EXPECT_TRUE(SoundTrackPlaying());
}

TEST_F(VideoPlayTest, BrokenVideosShowNothingCountAsFinishedAndAreReportedOnce)
{
    const char* files[] = {"no_such_file.mp4", "empty.mp4", "garbage.mp4",           "cut_index.mp4",
                           "no_video.mp4",     "huge.y4m",  "destroyed_pictures.mp4"};
    for (const char* file : files)
    {
        SCOPED_TRACE(file);
        AddVideo(file);
        for (int frame = 0; frame < 3; ++frame)
        {
            EXPECT_EQ(Frame(0.1f), 0);
        }
        EXPECT_TRUE(Played().finished);
        EXPECT_FALSE(Played().IsOpen());
        EXPECT_TRUE(Played().Pixels().empty());
        EXPECT_EQ(Reports(file), 1) << graphics.world.trace->Text();
        graphics.Store().DestroyEntity(entity);
    }
    EXPECT_FALSE(SoundTrackPlaying());
}

TEST_F(VideoPlayTest, ACutVideoPlaysWhatItHasThenHoldsItsLastPicture)
{
    AddVideo("cut_pictures.mp4");
    int decoded = 0;
    for (int frame = 0; frame < 5; ++frame)
    {
        decoded += Frame(0.1f);
    }
    EXPECT_TRUE(Played().finished);
    EXPECT_GT(decoded, 0);
    EXPECT_LT(decoded, test::videoFrames);
    EXPECT_TRUE(Played().IsOpen());
    // Pictures that depend on lost data are skipped, so the last one shown may come from later in the video.
    bool shown = false;
    for (int k = decoded - 1; k < test::videoFrames; ++k)
    {
        shown = shown || test::IsTestPicture(Played().Pixels(), k);
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(Reports("cut_pictures.mp4"), 1);
    EXPECT_NE(graphics.world.trace->Text().find("of its 12 pictures could be decoded"), std::string::npos);
}

TEST_F(VideoPlayTest, ReadingAPathAgain)
{
    Video& video = AddVideo("frames.mp4");
    Frame(0.1f);
    // A file that cannot be read leaves the video that plays in place.
    test::ReadJson(video, R"({"path": "no_such_file.mp4"})");
    EXPECT_TRUE(video.IsOpen());
    EXPECT_EQ(video.framesDecoded, 3);
    EXPECT_EQ(Frame(0.1f), 3);
    EXPECT_EQ(Reports("no_such_file.mp4"), 1);
    // The same failed path read again (an archetype's path repeated by a level) is not tried or reported again.
    test::ReadJson(video, R"({"path": "no_such_file.mp4"})");
    EXPECT_EQ(Reports("no_such_file.mp4"), 1);
    // A playable path read again starts the video over; "Load" does the same.
    test::ReadJson(video, R"({"path": "frames.mp4"})");
    EXPECT_EQ(video.framesDecoded, 0);
    EXPECT_TRUE(video.startPending);
    EXPECT_EQ(Frame(0.1f), 3);
    video.Open();
    EXPECT_EQ(video.framesDecoded, 0);
    EXPECT_EQ(video.time, 0.0f);
    EXPECT_FALSE(video.finished);
}

TEST_F(VideoPlayTest, ACopyOfAnOpenVideoPlaysOnItsOwnFromTheStart)
{
    Video& original = AddVideo("frames.mp4");
    Frame(0.1f);
    const std::unique_ptr<Component> cloned = original.Clone();
    auto& copy = static_cast<Video&>(*cloned);
    EXPECT_TRUE(copy.IsOpen());
    EXPECT_EQ(copy.framesDecoded, 0);
    EXPECT_TRUE(copy.startPending);
    EXPECT_TRUE(copy.Advance(1.0f / 60.0f));
    EXPECT_TRUE(test::IsTestPicture(copy.Pixels(), 0));
    EXPECT_TRUE(test::IsTestPicture(original.Pixels(), 2));
    EXPECT_EQ(Frame(0.1f), 3);
    EXPECT_EQ(copy.framesDecoded, 1);
}

} // namespace
} // namespace kesto
