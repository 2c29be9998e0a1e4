#pragma once

#include "spine/Animation.h"
#include "spine/Skin.h"
#include "spine/SpineTypes.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::spine
{

// Setup pose of one bone. Parents always come before their children.
struct BoneData
{
    int index = 0;
    std::string name;
    int parent = -1; // index of the parent bone; -1 for a root
    float length = 0.0f;
    float x = 0.0f; // in the parent's space
    float y = 0.0f;
    float rotation = 0.0f; // degrees, counter-clockwise
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float shearX = 0.0f; // degrees
    float shearY = 0.0f;
    TransformMode transformMode = TransformMode::Normal; // posed as Normal whatever it says
    bool skinRequired = false;                           // read, not used: every bone is always active
};

// Setup state of one slot; the slots' order in the data is the setup draw order (first drawn first).
struct SlotData
{
    int index = 0;
    std::string name;
    int boneIndex = 0;
    Color color;
    std::optional<std::string> attachmentName; // shown in the setup pose
    BlendMode blendMode = BlendMode::Normal;
};

// Everything read from one skeleton file. Immutable once loaded; skeletons, animation state data and states
// made from it refer to it, so it must outlive them (and the atlas must outlive it).
struct SkeletonData
{
    SkeletonData() = default;
    SkeletonData(const SkeletonData&) = delete;
    SkeletonData& operator=(const SkeletonData&) = delete;

    const BoneData* FindBone(std::string_view boneName) const;
    const SlotData* FindSlot(std::string_view slotName) const;
    const Skin* FindSkin(std::string_view skinName) const;
    const Animation* FindAnimation(std::string_view animationName) const;

    std::string version; // "skeleton" "spine": the editor version that wrote the file
    std::string hash;
    float x = 0.0f; // setup-pose bounds as the editor saw them
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    std::vector<BoneData> bones;
    std::vector<SlotData> slots;
    std::vector<std::unique_ptr<Skin>> skins;
    const Skin* defaultSkin = nullptr; // the skin named "default", or null
    std::vector<Animation> animations;
};

} // namespace kesto::spine
