#pragma once

#include "studio/Result.h"
#include "studio/SampleBuffer.h"

#include <string>

namespace kesto::studio::detail
{

// Decodes a whole audio file (anything FFmpeg reads: wav, ogg, mp3...) into stereo float frames at sampleRate.
// Mono files play on both sides at full level; files with more channels are mixed down to stereo.
// On failure the result says why (FileNotFound, Format) and error holds a description for a report.
Result DecodeFile(const std::string& path, int sampleRate, SampleBuffer& out, std::string& error);

} // namespace kesto::studio::detail
