#include "audio/AudioWorld.h"
#include "graphics/VideoDecoder.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

// The committed cinematics: each video sits beside the sound track the audio system plays for it (the same name
// ending in "mp3"), is one the game can decode at 1280 x 720 and 30 fps, and lasts as long as its sound.
TEST(CinematicContent, EachVideoDecodesAndLastsAsLongAsItsSoundTrack)
{
    test::AudioWorld world;
    world.audio->Init();
    for (const char* name : {"KestoOpeningCinematicD2(NoVox)", "Ending_Cinematic"})
    {
        SCOPED_TRACE(name);
        const std::string stem = std::string(KESTO_ASSETS "/Audio/Cinematics/") + name;
        VideoDecoder decoder;
        ASSERT_TRUE(decoder.Open(stem + ".mp4")) << decoder.Error();
        EXPECT_EQ(decoder.Width(), 1280);
        EXPECT_EQ(decoder.Height(), 720);
        EXPECT_DOUBLE_EQ(decoder.Fps(), 30.0);
        EXPECT_EQ(decoder.DecodeNext(), VideoStep::Frame);

        studio::Sound sound;
        ASSERT_EQ(world.audio->Core()->CreateSound(stem + ".mp3", studio::Mode::LoopOff | studio::Mode::TwoD, &sound),
                  studio::Result::Ok);
        unsigned soundMs = 0;
        sound.GetLength(&soundMs, studio::TimeUnit::Ms);
        const double videoMs = static_cast<double>(decoder.FrameCount()) * 1000.0 / decoder.Fps();
        EXPECT_NEAR(videoMs, soundMs, 100.0);
        sound.Release();
    }
}

} // namespace
} // namespace kesto
