#pragma once

#include "studio/Result.h"

#include <cstdint>
#include <string>

namespace kesto::studio
{

namespace detail
{
class StudioState;
}

// A loaded bank file (StudioSystem::LoadBankFile); a small value handle, null when default-constructed.
// Handles must not be used once their StudioSystem object is destroyed.
class Bank
{
public:
    Bank() = default;

    bool IsValid() const;
    // Ends and releases the instances of its events and removes its events, buses, parameters and effects.
    // Instances of other banks' events routed through its buses stop. The handle is invalid afterwards.
    Result Unload();
    // The file path it was loaded from, as given.
    Result GetPath(std::string* path) const;
    Result GetEventCount(int* count) const;

    bool operator==(const Bank& other) const = default;

private:
    friend class detail::StudioState;
    Bank(detail::StudioState* owner, std::uint32_t bank) : studio(owner), id(bank) {}

    detail::StudioState* studio = nullptr;
    std::uint32_t id = 0;
};

} // namespace kesto::studio
