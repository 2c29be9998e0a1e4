#include "graphics/VideoDecoder.h"

#include "graphics/VideoData.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

using test::VideoFile;

TEST(VideoDecoder, DecodesEveryPictureInOrderThenStaysAtTheEnd)
{
    VideoDecoder decoder;
    ASSERT_TRUE(decoder.Open(VideoFile("frames.mp4"))) << decoder.Error();
    EXPECT_EQ(decoder.Width(), test::videoWidth);
    EXPECT_EQ(decoder.Height(), test::videoHeight);
    EXPECT_DOUBLE_EQ(decoder.Fps(), 30.0);
    EXPECT_EQ(decoder.FrameCount(), test::videoFrames);
    // The encoder holds pictures back for reordering; the last ones only come out when the file's end is drained.
    for (int k = 0; k < test::videoFrames; ++k)
    {
        ASSERT_EQ(decoder.DecodeNext(), VideoStep::Frame) << "picture " << k;
        EXPECT_TRUE(test::IsTestPicture(decoder.Pixels(), k));
    }
    EXPECT_EQ(decoder.DecodeNext(), VideoStep::End);
    EXPECT_EQ(decoder.DecodeNext(), VideoStep::End);
    EXPECT_TRUE(test::IsTestPicture(decoder.Pixels(), test::videoFrames - 1));
    EXPECT_EQ(decoder.Error(), "");
}

TEST(VideoDecoder, BrokenFilesFailWithAReasonAndNeverHang)
{
    struct Case
    {
        const char* file;
        bool opens;
        int minPictures; // pictures decoded before the stream stops
        int maxPictures;
        VideoStep last; // how decoding stops
        const char* reason;
    };
    const Case cases[] = {
        {"no_such_file.mp4", false, 0, 0, VideoStep::Error, "not a video FFmpeg can read"},
        {"empty.mp4", false, 0, 0, VideoStep::Error, "not a video FFmpeg can read"},
        {"garbage.mp4", false, 0, 0, VideoStep::Error, "not a video FFmpeg can read"},
        {"cut_index.mp4", false, 0, 0, VideoStep::Error, "not a video FFmpeg can read"},
        {"no_video.mp4", false, 0, 0, VideoStep::Error, "no video stream"},
        {"huge.y4m", false, 0, 0, VideoStep::Error, "5000 x 5000 is not playable"},
        {"cut_pictures.mp4", true, 1, test::videoFrames - 1, VideoStep::End, "of its 12 pictures could be decoded"},
        {"destroyed_pictures.mp4", true, 0, 0, VideoStep::Error, "no picture came out of 256 packets"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.file);
        VideoDecoder decoder;
        ASSERT_EQ(decoder.Open(VideoFile(c.file)), c.opens) << decoder.Error();
        EXPECT_EQ(decoder.IsOpen(), c.opens);
        int pictures = 0;
        VideoStep step = VideoStep::Frame;
        // Far more tries than any test file has pictures: a decoder that never stops fails here, not by hanging.
        for (int tries = 0; tries < 100 && step == VideoStep::Frame; ++tries)
        {
            step = decoder.DecodeNext();
            pictures += step == VideoStep::Frame ? 1 : 0;
        }
        EXPECT_EQ(step, c.last);
        EXPECT_GE(pictures, c.minPictures);
        EXPECT_LE(pictures, c.maxPictures);
        EXPECT_NE(decoder.Error().find(c.reason), std::string::npos) << decoder.Error();
        if (!c.opens)
        {
            EXPECT_EQ(decoder.Width(), 0);
            EXPECT_TRUE(decoder.Pixels().empty());
        }
    }
}

} // namespace
} // namespace kesto
