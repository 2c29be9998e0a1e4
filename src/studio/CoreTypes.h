#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kesto::studio
{

// Receives one line describing a problem (a bad bank line, a missing sound file, the fallback to silent output).
// Called on the thread that made the call, never from the output thread.
using ReportCallback = std::function<void(std::string_view message)>;

// How a sound created from a file plays; flags combine with |, with the values of the FMOD mode flags.
enum class Mode : std::uint32_t
{
    Default = 0,    // the same as LoopOff | TwoD
    LoopOff = 1,    // plays once
    LoopNormal = 2, // repeats until stopped
    TwoD = 8,       // not placed in space
    ThreeD = 16,    // accepted for compatibility; core sounds are never placed in space
};

constexpr Mode operator|(Mode a, Mode b)
{
    return static_cast<Mode>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

constexpr bool HasMode(Mode mode, Mode flag)
{
    return (static_cast<std::uint32_t>(mode) & static_cast<std::uint32_t>(flag)) != 0;
}

enum class TimeUnit : std::uint32_t
{
    Ms = 1,  // milliseconds
    Pcm = 2, // frames at the mixer's sample rate (sounds are converted to it when created)
};

// Where mixed sound goes.
enum class OutputMode : std::uint8_t
{
    Auto,     // an SDL audio device; when none can be opened, Silent (reported once)
    Silent,   // no device: a thread mixes and discards, so DSP clocks still follow real time
    NoOutput, // nothing mixes by itself: the caller pulls frames with CoreSystem::Mix (tests, offline use)
};

// One point of a volume schedule on a channel or channel group; between points the volume is interpolated.
struct FadePoint
{
    std::uint64_t clock = 0; // DSP clock, in frames at the mixer's sample rate
    float volume = 1.0f;     // linear
};

// Settings for Initialize.
struct InitDef
{
    int maxChannels = 1024; // voices mixed at once; a start beyond that is refused with ChannelAlloc
    int sampleRate = 48000; // mixer and output rate, frames per second
    OutputMode output = OutputMode::Auto;
    std::string driver;           // SDL audio driver to use ("pulseaudio", "alsa"...); empty lets SDL choose
    std::uint32_t randomSeed = 0; // seeds the random choice among an event's sounds; 0 takes a random seed
};

} // namespace kesto::studio
