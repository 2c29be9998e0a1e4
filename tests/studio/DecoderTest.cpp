#include "studio/Decoder.h"

#include "StudioTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace kesto::studio::detail
{
namespace
{

using test::DataFile;
using test::Rms;

constexpr int rate = 48000;

std::vector<float> Levels(const SampleBuffer& buffer)
{
    std::vector<float> levels(buffer.samples.size());
    for (std::size_t i = 0; i < levels.size(); ++i)
    {
        levels[i] = buffer.Level(i);
    }
    return levels;
}

// Rising zero crossings of the left channel per second.
float Frequency(const SampleBuffer& buffer)
{
    int crossings = 0;
    for (std::size_t i = 1; i < buffer.Frames(); ++i)
    {
        if (buffer.samples[2 * (i - 1)] < 0 && buffer.samples[2 * i] >= 0)
        {
            ++crossings;
        }
    }
    return static_cast<float>(crossings) * rate / static_cast<float>(buffer.Frames());
}

SampleBuffer Decode(const std::string& name)
{
    SampleBuffer buffer;
    std::string error;
    EXPECT_EQ(DecodeFile(DataFile(name), rate, buffer, error), Result::Ok) << error;
    return buffer;
}

TEST(Decoder, DecodesWavExactly)
{
    const SampleBuffer buffer = Decode("tone.wav");
    EXPECT_EQ(buffer.Frames(), 12000U);
    EXPECT_EQ(buffer.sourceRate, 48000);
    EXPECT_EQ(buffer.sourceChannels, 1);
    EXPECT_NEAR(Rms(Levels(buffer)), 0.5f / std::sqrt(2.0f), 0.002f);
    EXPECT_NEAR(Frequency(buffer), 440.0f, 5.0f);
}

TEST(Decoder, DecodesOggAndResamplesItToTheMixerRate)
{
    const SampleBuffer buffer = Decode("tone.ogg");
    EXPECT_EQ(buffer.sourceRate, 44100);
    // FFmpeg's Ogg reader drops the last short block (128 frames) of a file this small.
    EXPECT_NEAR(static_cast<double>(buffer.Frames()), 12000.0, 150.0);
    EXPECT_NEAR(Rms(Levels(buffer)), 0.5f / std::sqrt(2.0f), 0.02f);
    EXPECT_NEAR(Frequency(buffer), 440.0f, 5.0f);
}

TEST(Decoder, DecodesMp3)
{
    const SampleBuffer buffer = Decode("tone.mp3");
    EXPECT_EQ(buffer.sourceRate, 44100);
    // The encoder's padding is trimmed through its gapless header, give or take a frame's worth.
    EXPECT_NEAR(static_cast<double>(buffer.Frames()), 12000.0, 1200.0);
    EXPECT_NEAR(Rms(Levels(buffer)), 0.5f / std::sqrt(2.0f), 0.03f);
    EXPECT_NEAR(Frequency(buffer), 440.0f, 10.0f);
}

TEST(Decoder, PlaysMonoOnBothSidesAtFullLevel)
{
    const SampleBuffer buffer = Decode("level.wav");
    ASSERT_EQ(buffer.Frames(), 4800U);
    for (std::size_t i = 0; i < buffer.Frames(); ++i)
    {
        ASSERT_FLOAT_EQ(buffer.Level(2 * i), 0.5f);
        ASSERT_FLOAT_EQ(buffer.Level(2 * i + 1), 0.5f);
    }
}

TEST(Decoder, KeepsStereoSidesApart)
{
    const SampleBuffer buffer = Decode("stereo.wav");
    ASSERT_EQ(buffer.Frames(), 2400U);
    EXPECT_EQ(buffer.sourceChannels, 2);
    EXPECT_FLOAT_EQ(buffer.Level(100), 0.5f);
    EXPECT_FLOAT_EQ(buffer.Level(101), -0.25f);
}

TEST(Decoder, ConvertsToAnotherMixerRate)
{
    SampleBuffer buffer;
    std::string error;
    ASSERT_EQ(DecodeFile(DataFile("tone.wav"), 24000, buffer, error), Result::Ok);
    EXPECT_NEAR(static_cast<double>(buffer.Frames()), 6000.0, 30.0);
}

TEST(Decoder, AMissingFileIsFileNotFound)
{
    SampleBuffer buffer;
    std::string error;
    EXPECT_EQ(DecodeFile(DataFile("no_such_file.ogg"), rate, buffer, error), Result::FileNotFound);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(buffer.samples.empty());
}

TEST(Decoder, AFileWithoutAudioIsFormat)
{
    SampleBuffer buffer;
    std::string error;
    EXPECT_EQ(DecodeFile(DataFile("not_audio.ogg"), rate, buffer, error), Result::Format);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(buffer.samples.empty());
}

// Found by fuzzing: an mp3 whose frames change their channel count midway made the converter read a channel the
// frame did not have. Those frames are skipped.
TEST(Decoder, AnMp3ChangingItsChannelsMidwayDecodesTheFramesThatFit)
{
    SampleBuffer buffer;
    std::string error;
    const Result result = DecodeFile(DataFile("shape_change.mp3"), rate, buffer, error);
    EXPECT_TRUE(result == Result::Ok || result == Result::Format) << error;
    EXPECT_EQ(buffer.samples.size() % 2, 0u);
}

TEST(Decoder, AFolderIsNotASound)
{
    SampleBuffer buffer;
    std::string error;
    EXPECT_NE(DecodeFile(KESTO_STUDIO_TEST_DATA, rate, buffer, error), Result::Ok);
    EXPECT_TRUE(buffer.samples.empty());
}

} // namespace
} // namespace kesto::studio::detail
