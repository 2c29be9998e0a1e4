#include "studio/Bank.h"

#include "studio/StudioSystemInternal.h"

#include <algorithm>

namespace kesto::studio
{

bool Bank::IsValid() const { return studio != nullptr && studio->FindBank(id) != nullptr; }

Result Bank::Unload() { return studio != nullptr ? studio->UnloadBank(id) : Result::InvalidHandle; }

Result Bank::GetPath(std::string* path) const
{
    if (path == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::BankRecord* bank = studio != nullptr ? studio->FindBank(id) : nullptr;
    if (bank == nullptr)
    {
        return Result::InvalidHandle;
    }
    *path = bank->path;
    return Result::Ok;
}

Result Bank::GetEventCount(int* count) const
{
    if (count == nullptr)
    {
        return Result::InvalidParam;
    }
    if (!IsValid())
    {
        return Result::InvalidHandle;
    }
    *count = static_cast<int>(std::count_if(studio->events.begin(), studio->events.end(),
                                            [&](const auto& entry) { return entry.second.bank == id; }));
    return Result::Ok;
}

} // namespace kesto::studio
