#include "spine/Skin.h"

namespace kesto::spine
{

void Skin::SetAttachment(std::size_t slotIndex, std::string key, std::unique_ptr<Attachment> attachment)
{
    if (slotIndex >= slots.size())
    {
        slots.resize(slotIndex + 1);
    }
    slots[slotIndex][std::move(key)] = std::move(attachment);
}

const Attachment* Skin::GetAttachment(std::size_t slotIndex, std::string_view key) const
{
    if (slotIndex >= slots.size())
    {
        return nullptr;
    }
    const auto found = slots[slotIndex].find(key);
    return found == slots[slotIndex].end() ? nullptr : found->second.get();
}

void Skin::ForEachAttachment(std::size_t slotIndex,
                             const std::function<void(const std::string&, const Attachment&)>& visit) const
{
    if (slotIndex >= slots.size())
    {
        return;
    }
    for (const auto& [key, attachment] : slots[slotIndex])
    {
        visit(key, *attachment);
    }
}

} // namespace kesto::spine
