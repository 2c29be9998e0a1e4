#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kesto::studio::detail
{

// Decoded sound: interleaved stereo 16-bit frames at the mixer's sample rate, as a decompressed sample is held
// (half the memory of float, and the game keeps every bank's sounds decoded). Never changed after decoding, so
// voices on the output thread read it while the API thread holds other references to it.
struct SampleBuffer
{
    // The level of one step of a sample: -32768 is -1.0.
    static constexpr float step = 1.0f / 32768.0f;

    std::vector<std::int16_t> samples; // left, right, left, right...
    int sourceRate = 0;                // the file's own rate and channel count, for reports
    int sourceChannels = 0;

    std::size_t Frames() const { return samples.size() / 2; }
    // Sample `i` (of samples) as a level.
    float Level(std::size_t i) const { return samples[i] * step; }
};

} // namespace kesto::studio::detail
