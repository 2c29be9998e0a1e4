#pragma once

#include "spine/Attachment.h"
#include "spine/SkeletonData.h"
#include "spine/SpineTypes.h"

#include <span>
#include <string_view>
#include <vector>

namespace kesto::spine
{

class Skeleton;

// A posed bone: local values (animated) and the world transform computed from them.
struct Bone
{
    Bone(const BoneData& boneData, Skeleton& owner, Bone* parentBone);

    void SetToSetupPose();
    // World transform from the local values and the parent's world transform (or the skeleton's placement for
    // a root); the parent must be up to date.
    void UpdateWorldTransform();

    const BoneData& data;
    Skeleton& skeleton;
    Bone* parent; // null for a root
    float x = 0.0f;
    float y = 0.0f;
    float rotation = 0.0f; // degrees
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float shearX = 0.0f;
    float shearY = 0.0f;
    // World matrix: columns (a, c) and (b, d) are the bone's axes; (worldX, worldY) its origin.
    float a = 1.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 1.0f;
    float worldX = 0.0f;
    float worldY = 0.0f;
};

// What a bone shows: colour and the current attachment.
struct Slot
{
    Slot(const SlotData& slotData, Bone& slotBone);

    // Setup colour and the setup attachment.
    void SetToSetupPose();
    // The setup attachment, looked up through the skeleton's skins.
    void SetToSetupAttachment();

    const SlotData& data;
    Bone& bone;
    Color color;
    const Attachment* attachment = nullptr; // null when the slot shows nothing
};

// One posable instance of skeleton data (which must outlive it). Not copyable or movable: bones, slots and the
// draw order point into it.
class Skeleton
{
public:
    // Starts in the setup pose with the default skin's attachments; world values are computed by the first
    // UpdateWorldTransform.
    explicit Skeleton(const SkeletonData& skeletonData);
    Skeleton(const Skeleton&) = delete;
    Skeleton& operator=(const Skeleton&) = delete;

    // Poses every bone in world space from its local values, parents first.
    void UpdateWorldTransform();
    void SetToSetupPose();
    void SetBonesToSetupPose();
    // Slot colours and attachments and the draw order.
    void SetSlotsToSetupPose();

    Bone* FindBone(std::string_view name);
    Slot* FindSlot(std::string_view name);
    // The active skin first, then the default skin; null when neither has it.
    const Attachment* GetAttachment(std::size_t slotIndex, std::string_view name) const;
    // Shows the named attachment in the named slot, or empties the slot when attachmentName is empty; false when
    // the slot or the attachment does not exist.
    bool SetAttachment(std::string_view slotName, std::string_view attachmentName);
    // Attachments of the old skin that the new one also has are swapped; with no old skin the setup attachments
    // of the new one are shown. Null leaves only the default skin.
    void SetSkin(const Skin* newSkin);
    bool SetSkinByName(std::string_view name);

    const SkeletonData& Data() const { return data; }
    const Skin* GetSkin() const { return skin; }
    std::span<Bone> Bones() { return bones; }
    std::span<const Bone> Bones() const { return bones; }
    std::span<Slot> Slots() { return slots; }
    std::span<const Slot> Slots() const { return slots; }
    // Slots in the order they are drawn, first at the back.
    std::span<Slot*> DrawOrder() { return drawOrder; }
    std::span<Slot* const> DrawOrder() const { return drawOrder; }

    Color color;    // multiplied into every slot colour
    float x = 0.0f; // world position of the root bone's parent space
    float y = 0.0f;
    float scaleX = 1.0f; // negative mirrors
    float scaleY = 1.0f;

private:
    const SkeletonData& data;
    std::vector<Bone> bones;
    std::vector<Slot> slots;
    std::vector<Slot*> drawOrder;
    const Skin* skin = nullptr;
};

} // namespace kesto::spine
