#pragma once

#include "studio/CoreTypes.h"
#include "studio/Result.h"

#include <cstdint>

namespace kesto::studio
{

namespace detail
{
class CoreState;
}

// A sound decoded from a file by CoreSystem::CreateSound; a small value handle, null when default-constructed.
class Sound
{
public:
    Sound() = default;

    bool IsValid() const;
    // Ends the channels playing it and frees its samples; the handle is invalid afterwards.
    Result Release();
    Result GetLength(unsigned* length, TimeUnit unit) const;
    Result GetMode(Mode* mode) const;

    bool operator==(const Sound& other) const = default;

private:
    friend class detail::CoreState;
    Sound(detail::CoreState* owner, std::uint32_t sound) : core(owner), id(sound) {}

    detail::CoreState* core = nullptr;
    std::uint32_t id = 0;
};

} // namespace kesto::studio
