#pragma once

#include <cstdint>
#include <string>

namespace kesto::studio
{

// The version of this interface; StudioSystem::Create refuses callers built against another one.
inline constexpr std::uint32_t headerVersion = 0x00020004;

struct Vector3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Position and orientation of a listener or an event instance, in world units (x right, y up, z into the screen).
struct Attributes3D
{
    Vector3 position;
    Vector3 velocity;         // kept, not used: there is no Doppler effect
    Vector3 forward{0, 0, 1}; // kept, not used: panning is by x offset only
    Vector3 up{0, 1, 0};
};

// How EventInstance::Stop and Bus::StopAllEvents end sound; values as in FMOD Studio.
enum class StopMode : std::uint8_t
{
    AllowFadeOut = 0, // the event's fade-out plays first (immediate when it has none)
    Immediate = 1,
};

// Values as in FMOD Studio.
enum class PlaybackState : std::uint8_t
{
    Playing = 0,
    Sustaining = 1, // a "sustain" event whose sounds have ended; it holds until stopped
    Stopped = 2,
    Starting = 3, // started since the last StudioSystem::Update
    Stopping = 4, // fading out after a stop that allows it
};

// Bits of ParameterDescription::flags; values as in FMOD Studio.
enum class ParameterFlag : std::uint32_t
{
    ReadOnly = 1,
    Automatic = 2,
    Global = 4, // one value for the whole system; otherwise each event instance has its own
    Discrete = 8,
    Labeled = 16,
};

constexpr bool HasFlag(std::uint32_t flags, ParameterFlag flag)
{
    return (flags & static_cast<std::uint32_t>(flag)) != 0;
}

struct ParameterDescription
{
    std::string name; // without the "parameter:/" prefix
    float minimum = 0.0f;
    float maximum = 0.0f;
    float defaultValue = 0.0f;
    std::uint32_t flags = 0; // ParameterFlag bits
};

} // namespace kesto::studio
