#pragma once

#include "studio/EventDescription.h"
#include "studio/Result.h"
#include "studio/StudioTypes.h"

#include <cstdint>
#include <string_view>

namespace kesto::studio
{

namespace detail
{
class StudioState;
}

// One playable copy of an event (EventDescription::CreateInstance); a small value handle, null when
// default-constructed, invalid once the instance is destroyed.
class EventInstance
{
public:
    EventInstance() = default;

    bool IsValid() const;
    // Starts its sounds (all of them, or one at random for a "random" event); state Starting until the next
    // update. Starting a playing instance restarts it from the beginning: an instance never overlaps itself.
    // NotFound (reported once) when the event's bus is not loaded; nothing plays then.
    Result Start();
    Result Stop(StopMode mode);
    // Marks it for destruction: it is destroyed at the first update that finds it stopped.
    Result Release();
    Result GetPlaybackState(PlaybackState* state) const;
    // Local parameters of the event, by name with or without "parameter:/"; the value is clamped to the
    // parameter's range and reached at its seek speed unless ignoreSeekSpeed.
    Result SetParameterByName(std::string_view name, float value, bool ignoreSeekSpeed = false);
    // value: as last set; finalValue: reached so far.
    Result GetParameterByName(std::string_view name, float* value, float* finalValue = nullptr) const;
    // Places a positional event; until the first call it plays unpanned at full level, as at the listener.
    Result Set3DAttributes(const Attributes3D& attributes);
    Result Get3DAttributes(Attributes3D* attributes) const;
    Result SetVolume(float volume);
    Result GetVolume(float* volume) const;
    Result SetPitch(float pitch);
    Result GetPitch(float* pitch) const;
    Result SetPaused(bool paused);
    Result GetPaused(bool* paused) const;
    Result GetDescription(EventDescription* description) const;

    bool operator==(const EventInstance& other) const = default;

private:
    friend class detail::StudioState;
    EventInstance(detail::StudioState* owner, std::uint32_t instance) : studio(owner), id(instance) {}

    detail::StudioState* studio = nullptr;
    std::uint32_t id = 0;
};

} // namespace kesto::studio
