#include "graphics/Video.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(Video, ReadsPathAndComparesOnlyIt)
{
    Video video;
    EXPECT_EQ(video.path, "");
    test::ReadJson(video, R"({"path": 12})");
    EXPECT_EQ(video.path, "");
    test::ReadJson(video, R"({"path": "Assets/Videos/Intro.mp4"})");
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

TEST(Video, CloneCopiesCountersAndFlags)
{
    Video video;
    video.path = "a.mp4";
    video.framesDecoded = 12;
    video.fps = 30.0;
    video.time = 0.4f;
    video.startPending = true;
    const std::unique_ptr<Component> cloned = video.Clone();
    const auto& copy = static_cast<const Video&>(*cloned);
    EXPECT_EQ(copy.path, "a.mp4");
    EXPECT_EQ(copy.framesDecoded, 12);
    EXPECT_EQ(copy.fps, 30.0);
    EXPECT_EQ(copy.time, 0.4f);
    EXPECT_TRUE(copy.startPending);
}

} // namespace
} // namespace kesto
