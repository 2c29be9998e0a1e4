#pragma once

#include <cstddef>
#include <vector>

namespace kesto::studio::detail
{

// Decoded sound: interleaved stereo float frames at the mixer's sample rate. Never changed after decoding, so
// voices on the output thread read it while the API thread holds other references to it.
struct SampleBuffer
{
    std::vector<float> samples; // left, right, left, right...
    int sourceRate = 0;         // the file's own rate and channel count, for reports
    int sourceChannels = 0;

    std::size_t Frames() const { return samples.size() / 2; }
};

} // namespace kesto::studio::detail
