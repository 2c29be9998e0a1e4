#pragma once

#include "studio/CoreTypes.h"

#include <memory>
#include <string>

namespace kesto::studio::detail
{

class Mixer;

// Pulls mixed sound from a mixer on its own thread and sends it on; the mixer must outlive it. Closing (the
// destructor) waits until the thread has stopped pulling.
class AudioOutput
{
public:
    AudioOutput() = default;
    virtual ~AudioOutput() = default;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // NoOutput gives null: the caller mixes. Silent gives a thread that mixes in real time and discards.
    // Auto opens an SDL device, or when that fails gives Silent and sets fallbackReason (empty otherwise).
    static std::unique_ptr<AudioOutput> Open(Mixer& mixer, OutputMode mode, const std::string& driver,
                                             std::string& fallbackReason);
};

} // namespace kesto::studio::detail
