#include "spine/Skeleton.h"

#include <cmath>
#include <numbers>

namespace kesto::spine
{
namespace
{

constexpr float degreesToRadians = std::numbers::pi_v<float> / 180.0f;

} // namespace

Bone::Bone(const BoneData& boneData, Skeleton& owner, Bone* parentBone)
    : data(boneData), skeleton(owner), parent(parentBone)
{
    SetToSetupPose();
}

void Bone::SetToSetupPose()
{
    x = data.x;
    y = data.y;
    rotation = data.rotation;
    scaleX = data.scaleX;
    scaleY = data.scaleY;
    shearX = data.shearX;
    shearY = data.shearY;
}

void Bone::UpdateWorldTransform()
{
    const float xAxis = (rotation + shearX) * degreesToRadians;
    const float yAxis = (rotation + 90.0f + shearY) * degreesToRadians;
    const float la = std::cos(xAxis) * scaleX;
    const float lb = std::cos(yAxis) * scaleY;
    const float lc = std::sin(xAxis) * scaleX;
    const float ld = std::sin(yAxis) * scaleY;
    if (!parent)
    {
        const float sx = skeleton.scaleX;
        const float sy = skeleton.scaleY;
        a = la * sx;
        b = lb * sx;
        c = lc * sy;
        d = ld * sy;
        worldX = x * sx + skeleton.x;
        worldY = y * sy + skeleton.y;
        return;
    }
    const Bone& p = *parent;
    worldX = p.a * x + p.b * y + p.worldX;
    worldY = p.c * x + p.d * y + p.worldY;
    a = p.a * la + p.b * lc;
    b = p.a * lb + p.b * ld;
    c = p.c * la + p.d * lc;
    d = p.c * lb + p.d * ld;
}

Slot::Slot(const SlotData& slotData, Bone& slotBone) : data(slotData), bone(slotBone), color(slotData.color) {}

void Slot::SetToSetupPose()
{
    color = data.color;
    SetToSetupAttachment();
}

void Slot::SetToSetupAttachment()
{
    attachment = data.attachmentName
                     ? bone.skeleton.GetAttachment(static_cast<std::size_t>(data.index), *data.attachmentName)
                     : nullptr;
}

Skeleton::Skeleton(const SkeletonData& skeletonData) : data(skeletonData)
{
    // Reserved up front: parents, slots and the draw order point into these vectors.
    bones.reserve(data.bones.size());
    for (const BoneData& boneData : data.bones)
    {
        Bone* parent = boneData.parent >= 0 ? &bones[static_cast<std::size_t>(boneData.parent)] : nullptr;
        bones.emplace_back(boneData, *this, parent);
    }
    slots.reserve(data.slots.size());
    for (const SlotData& slotData : data.slots)
    {
        slots.emplace_back(slotData, bones[static_cast<std::size_t>(slotData.boneIndex)]);
    }
    drawOrder.reserve(slots.size());
    for (Slot& slot : slots)
    {
        drawOrder.push_back(&slot);
    }
    SetSlotsToSetupPose();
}

void Skeleton::UpdateWorldTransform()
{
    for (Bone& bone : bones)
    {
        bone.UpdateWorldTransform();
    }
}

void Skeleton::SetToSetupPose()
{
    SetBonesToSetupPose();
    SetSlotsToSetupPose();
}

void Skeleton::SetBonesToSetupPose()
{
    for (Bone& bone : bones)
    {
        bone.SetToSetupPose();
    }
}

void Skeleton::SetSlotsToSetupPose()
{
    for (std::size_t i = 0; i < slots.size(); ++i)
    {
        drawOrder[i] = &slots[i];
        slots[i].SetToSetupPose();
    }
}

Bone* Skeleton::FindBone(std::string_view name)
{
    for (Bone& bone : bones)
    {
        if (bone.data.name == name)
        {
            return &bone;
        }
    }
    return nullptr;
}

Slot* Skeleton::FindSlot(std::string_view name)
{
    for (Slot& slot : slots)
    {
        if (slot.data.name == name)
        {
            return &slot;
        }
    }
    return nullptr;
}

const Attachment* Skeleton::GetAttachment(std::size_t slotIndex, std::string_view name) const
{
    if (skin)
    {
        if (const Attachment* attachment = skin->GetAttachment(slotIndex, name))
        {
            return attachment;
        }
    }
    return data.defaultSkin ? data.defaultSkin->GetAttachment(slotIndex, name) : nullptr;
}

bool Skeleton::SetAttachment(std::string_view slotName, std::string_view attachmentName)
{
    Slot* slot = FindSlot(slotName);
    if (!slot)
    {
        return false;
    }
    if (attachmentName.empty())
    {
        slot->attachment = nullptr;
        return true;
    }
    const Attachment* attachment = GetAttachment(static_cast<std::size_t>(slot->data.index), attachmentName);
    if (!attachment)
    {
        return false;
    }
    slot->attachment = attachment;
    return true;
}

void Skeleton::SetSkin(const Skin* newSkin)
{
    if (newSkin == skin)
    {
        return;
    }
    if (newSkin)
    {
        for (std::size_t i = 0; i < slots.size(); ++i)
        {
            Slot& slot = slots[i];
            if (skin)
            {
                // Whatever the old skin showed under a key, the new skin shows under the same key.
                skin->ForEachAttachment(i,
                                        [&](const std::string& key, const Attachment& old)
                                        {
                                            if (slot.attachment == &old)
                                            {
                                                if (const Attachment* replacement = newSkin->GetAttachment(i, key))
                                                {
                                                    slot.attachment = replacement;
                                                }
                                            }
                                        });
            }
            else if (slot.data.attachmentName)
            {
                if (const Attachment* attachment = newSkin->GetAttachment(i, *slot.data.attachmentName))
                {
                    slot.attachment = attachment;
                }
            }
        }
    }
    skin = newSkin;
}

bool Skeleton::SetSkinByName(std::string_view name)
{
    const Skin* found = data.FindSkin(name);
    if (!found)
    {
        return false;
    }
    SetSkin(found);
    return true;
}

} // namespace kesto::spine
