#include "spine/SkeletonData.h"

namespace kesto::spine
{
namespace
{

template <typename T> const T* FindByName(const std::vector<T>& items, std::string_view name)
{
    for (const T& item : items)
    {
        if (item.name == name)
        {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

const BoneData* SkeletonData::FindBone(std::string_view boneName) const { return FindByName(bones, boneName); }

const SlotData* SkeletonData::FindSlot(std::string_view slotName) const { return FindByName(slots, slotName); }

const Skin* SkeletonData::FindSkin(std::string_view skinName) const
{
    for (const auto& skin : skins)
    {
        if (skin->Name() == skinName)
        {
            return skin.get();
        }
    }
    return nullptr;
}

const Animation* SkeletonData::FindAnimation(std::string_view animationName) const
{
    return FindByName(animations, animationName);
}

} // namespace kesto::spine
