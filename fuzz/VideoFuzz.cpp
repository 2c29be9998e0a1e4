// Any bytes as a cinematic video, opened and decoded to the end (or the first error) by the game's decoder.
#include "FuzzWorld.h"
#include "graphics/VideoDecoder.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string file = "/tmp/kesto-fuzz-video-" + std::to_string(::getpid());
    kesto::fuzz::FuzzWorld::Put(file, kesto::fuzz::Text(data, size));
    kesto::VideoDecoder decoder;
    if (decoder.Open(file))
    {
        for (int frame = 0; frame < 64 && decoder.DecodeNext() == kesto::VideoStep::Frame; ++frame)
        {
        }
    }
    return 0;
}
