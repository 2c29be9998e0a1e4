#pragma once

#include "spine/Attachment.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::spine
{

// Attachments keyed by slot and attachment name; it owns them.
class Skin
{
public:
    explicit Skin(std::string skinName) : name(std::move(skinName)) {}

    const std::string& Name() const { return name; }
    // Replaces any attachment already under that key.
    void SetAttachment(std::size_t slotIndex, std::string key, std::unique_ptr<Attachment> attachment);
    // Null when this skin has nothing under that key.
    const Attachment* GetAttachment(std::size_t slotIndex, std::string_view key) const;
    // Calls visit(key, attachment) for every attachment of one slot, in key order.
    void ForEachAttachment(std::size_t slotIndex,
                           const std::function<void(const std::string&, const Attachment&)>& visit) const;

private:
    std::string name;
    std::vector<std::map<std::string, std::unique_ptr<Attachment>, std::less<>>> slots;
};

} // namespace kesto::spine
