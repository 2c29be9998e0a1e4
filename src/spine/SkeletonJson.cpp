#include "spine/SkeletonJson.h"

#include "spine/SkeletonJsonInternal.h"

#include <array>

namespace kesto::spine
{

using detail::JsonValue;
using detail::Quoted;

SkeletonJson::SkeletonJson(const Atlas& source, ReportCallback reportTo) : atlas(source), report(std::move(reportTo)) {}

std::unique_ptr<SkeletonData> SkeletonJson::ReadSkeletonData(std::string_view text, std::string_view name) const
{
    detail::JsonInput input(name);
    JsonValue document;
    std::string parseError;
    auto data = std::make_unique<SkeletonData>();
    detail::SkeletonReader reader(atlas, input, *data);
    if (!detail::ParseJson(text, maxJsonDepth, document, parseError))
    {
        input.Fail("", parseError);
    }
    else if (!document.IsObject())
    {
        input.Fail("", "the document is not a JSON object");
    }
    else
    {
        reader.Read(document);
    }
    if (input.Failed())
    {
        if (report)
        {
            report(input.Error());
        }
        return nullptr;
    }
    if (const std::string warnings = input.WarningLine(); report && !warnings.empty())
    {
        report(warnings);
    }
    return data;
}

std::unique_ptr<SkeletonData> SkeletonJson::ReadSkeletonDataFile(const std::string& path) const
{
    const auto& readFile = atlas.GetHost().readFile;
    const std::optional<std::string> text = readFile ? readFile(path) : ReadFile(path);
    if (!text)
    {
        if (report)
        {
            report(path + ": cannot be read");
        }
        return nullptr;
    }
    return ReadSkeletonData(*text, path);
}

std::unique_ptr<SkeletonData> ReadSkeletonJson(std::string_view text, const Atlas& atlas, const ReportCallback& report)
{
    return SkeletonJson(atlas, report).ReadSkeletonData(text, "skeleton");
}

namespace detail
{

bool SkeletonReader::Read(const JsonValue& root)
{
    // Animations refer to everything else, so they come last.
    return ReadInfo(root) && ReadBones(root) && ReadSlots(root) && ReadSkins(root) && ResolveLinkedMeshes() &&
           ReadAnimations(root);
}

bool SkeletonReader::ReadName(const JsonValue& value, const char* kind,
                              const std::unordered_map<std::string, std::size_t>& taken, std::string& where,
                              std::string& name)
{
    if (!input.String(value, "name", where, name))
    {
        return false;
    }
    if (name.empty())
    {
        return input.Fail(where, "has no name");
    }
    where = std::string(kind) + " " + Quoted(name);
    return !taken.contains(name) || input.Fail(where, "is defined twice");
}

bool SkeletonReader::IndexOf(const JsonMember& member, const char* kind,
                             const std::unordered_map<std::string, std::size_t>& indices, const std::string& where,
                             std::size_t& out)
{
    const auto found = indices.find(member.key);
    if (found == indices.end())
    {
        return input.Fail(where, "the " + std::string(kind) + " does not exist");
    }
    if (!member.value.IsObject())
    {
        return input.Fail(where, "expected an object");
    }
    out = found->second;
    return true;
}

bool SkeletonReader::ReadInfo(const JsonValue& root)
{
    const JsonValue* skeleton = nullptr;
    if (!input.Object(root, "skeleton", "", skeleton))
    {
        return false;
    }
    if (!skeleton)
    {
        return true;
    }
    const std::string where = "\"skeleton\"";
    if (!input.String(*skeleton, "hash", where, data.hash) || !input.String(*skeleton, "spine", where, data.version) ||
        !input.Float(*skeleton, "x", where, data.x) || !input.Float(*skeleton, "y", where, data.y) ||
        !input.Float(*skeleton, "width", where, data.width) || !input.Float(*skeleton, "height", where, data.height))
    {
        return false;
    }
    if (!data.version.empty() && data.version.rfind("3.8", 0) != 0)
    {
        input.Warn("written by Spine " + data.version + " and read as Spine 3.8");
    }
    return true;
}

bool SkeletonReader::ReadBones(const JsonValue& root)
{
    const JsonValue* bones = nullptr;
    if (!input.Array(root, "bones", "", bones))
    {
        return false;
    }
    if (!bones || bones->Items().empty())
    {
        return input.Fail("", "has no bones");
    }
    if (bones->Items().size() > maxSkeletonItems)
    {
        return input.Fail("", "has more than " + std::to_string(maxSkeletonItems) + " bones");
    }
    data.bones.reserve(bones->Items().size());
    std::vector<std::string> otherModes;
    for (std::size_t i = 0; i < bones->Items().size(); ++i)
    {
        if (!ReadBone(bones->Items()[i], i, *bones, otherModes))
        {
            return false;
        }
    }
    if (!otherModes.empty())
    {
        std::string names;
        for (const std::string& name : otherModes)
        {
            names += (names.empty() ? "" : ", ") + Quoted(name);
        }
        input.Warn("bones " + names + " inherit with a transform other than \"normal\" and are posed as \"normal\"");
    }
    return true;
}

bool SkeletonReader::ReadBone(const JsonValue& value, std::size_t index, const JsonValue& allBones,
                              std::vector<std::string>& otherModes)
{
    static constexpr std::array<std::string_view, 5> modes = {"normal", "onlyTranslation", "noRotationOrReflection",
                                                              "noScale", "noScaleOrReflection"};
    std::string where = "bone " + std::to_string(index);
    if (!value.IsObject())
    {
        return input.Fail(where, "expected an object");
    }
    BoneData bone;
    bone.index = static_cast<int>(index);
    if (!ReadName(value, "bone", boneIndices, where, bone.name))
    {
        return false;
    }
    std::string parent;
    if (!input.String(value, "parent", where, parent))
    {
        return false;
    }
    if (!parent.empty())
    {
        const auto found = boneIndices.find(parent);
        if (found == boneIndices.end())
        {
            for (std::size_t later = index; later < allBones.Items().size(); ++later)
            {
                const JsonValue& other = allBones.Items()[later];
                const JsonValue* otherName = other.Find("name");
                if (otherName && otherName->IsString() && otherName->String() == parent)
                {
                    return input.Fail(where, "its parent " + Quoted(parent) + " must come before it");
                }
            }
            return input.Fail(where, "its parent " + Quoted(parent) + " does not exist");
        }
        bone.parent = static_cast<int>(found->second);
    }
    std::string mode = "normal";
    if (!input.Float(value, "length", where, bone.length) || !input.Float(value, "x", where, bone.x) ||
        !input.Float(value, "y", where, bone.y) || !input.Float(value, "rotation", where, bone.rotation) ||
        !input.Float(value, "scaleX", where, bone.scaleX) || !input.Float(value, "scaleY", where, bone.scaleY) ||
        !input.Float(value, "shearX", where, bone.shearX) || !input.Float(value, "shearY", where, bone.shearY) ||
        !input.String(value, "transform", where, mode) || !input.Bool(value, "skin", where, bone.skinRequired))
    {
        return false;
    }
    std::size_t modeIndex = 0;
    while (modeIndex < modes.size() && modes[modeIndex] != mode)
    {
        ++modeIndex;
    }
    if (modeIndex == modes.size())
    {
        return input.Fail(where, "unknown transform " + Quoted(mode));
    }
    bone.transformMode = static_cast<TransformMode>(modeIndex);
    if (bone.transformMode != TransformMode::Normal)
    {
        otherModes.push_back(bone.name);
    }
    boneIndices.emplace(bone.name, index);
    data.bones.push_back(std::move(bone));
    return true;
}

bool SkeletonReader::ReadSlots(const JsonValue& root)
{
    static constexpr std::array<std::string_view, 4> blendModes = {"normal", "additive", "multiply", "screen"};
    const JsonValue* slots = nullptr;
    if (!input.Array(root, "slots", "", slots))
    {
        return false;
    }
    if (!slots)
    {
        return true;
    }
    if (slots->Items().size() > maxSkeletonItems)
    {
        return input.Fail("", "has more than " + std::to_string(maxSkeletonItems) + " slots");
    }
    data.slots.reserve(slots->Items().size());
    for (std::size_t i = 0; i < slots->Items().size(); ++i)
    {
        const JsonValue& value = slots->Items()[i];
        std::string where = "slot " + std::to_string(i);
        if (!value.IsObject())
        {
            return input.Fail(where, "expected an object");
        }
        SlotData slot;
        slot.index = static_cast<int>(i);
        std::string bone;
        std::string blend = "normal";
        if (!ReadName(value, "slot", slotIndices, where, slot.name) || !input.String(value, "bone", where, bone) ||
            !input.ColorHex(value, "color", where, slot.color) ||
            !input.NullableString(value, "attachment", where, slot.attachmentName) ||
            !input.String(value, "blend", where, blend))
        {
            return false;
        }
        const auto found = boneIndices.find(bone);
        if (found == boneIndices.end())
        {
            return input.Fail(where, "its bone " + Quoted(bone) + " does not exist");
        }
        slot.boneIndex = static_cast<int>(found->second);
        std::size_t blendIndex = 0;
        while (blendIndex < blendModes.size() && blendModes[blendIndex] != blend)
        {
            ++blendIndex;
        }
        if (blendIndex == blendModes.size())
        {
            return input.Fail(where, "unknown blend " + Quoted(blend));
        }
        slot.blendMode = static_cast<BlendMode>(blendIndex);
        slotIndices.emplace(slot.name, i);
        data.slots.push_back(std::move(slot));
    }
    return true;
}

} // namespace detail
} // namespace kesto::spine
