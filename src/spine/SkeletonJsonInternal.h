#pragma once

// Pieces of the skeleton JSON reader, shared by its source files and tests only.

#include "spine/Atlas.h"
#include "spine/JsonDocument.h"
#include "spine/SkeletonData.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kesto::spine::detail
{

// Typed reads of JSON values. The first failure records one message naming the file and the place (later ones
// are ignored); every read returns false once it failed. Absent members leave the output unchanged.
class JsonInput
{
public:
    explicit JsonInput(std::string_view name) : fileName(name) {}

    bool Fail(const std::string& where, const std::string& what);
    bool Failed() const { return !error.empty(); }
    const std::string& Error() const { return error; }
    void Warn(std::string message) { warnings.push_back(std::move(message)); }
    // All warnings as one line, or empty.
    std::string WarningLine() const;

    bool Float(const JsonValue& object, const char* key, const std::string& where, float& out);
    bool Bool(const JsonValue& object, const char* key, const std::string& where, bool& out);
    // An integer within lowest..highest.
    bool Int(const JsonValue& object, const char* key, const std::string& where, int lowest, int highest, int& out);
    bool String(const JsonValue& object, const char* key, const std::string& where, std::string& out);
    // A string, or JSON null for no value.
    bool NullableString(const JsonValue& object, const char* key, const std::string& where,
                        std::optional<std::string>& out);
    // "RRGGBB" or "RRGGBBAA".
    bool ColorHex(const JsonValue& object, const char* key, const std::string& where, Color& out);
    // The member as an array or object; null when absent.
    bool Array(const JsonValue& object, const char* key, const std::string& where, const JsonValue*& out)
    {
        return Container(object, key, where, true, out);
    }
    bool Object(const JsonValue& object, const char* key, const std::string& where, const JsonValue*& out)
    {
        return Container(object, key, where, false, out);
    }

    // A value (not a member) that must be a finite number, or an integer within 0..limit - 1.
    bool ToFloat(const JsonValue& value, const std::string& where, float& out);
    bool ToIndex(const JsonValue& value, const std::string& where, std::size_t limit, std::size_t& out);

private:
    const JsonValue* Member(const JsonValue& object, const char* key) const;
    bool Container(const JsonValue& object, const char* key, const std::string& where, bool array,
                   const JsonValue*& out);

    std::string fileName;
    std::string error;
    std::vector<std::string> warnings;
};

// Builds skeleton data from a parsed document, section by section.
class SkeletonReader
{
public:
    SkeletonReader(const Atlas& source, JsonInput& reader, SkeletonData& target)
        : atlas(source), input(reader), data(target)
    {
    }

    bool Read(const JsonValue& root);

private:
    // A linked mesh waits for all skins to be read, since its parent may be in a later one.
    struct LinkedMesh
    {
        Skin* skin = nullptr;
        std::size_t slotIndex = 0;
        std::string key;
        std::unique_ptr<MeshAttachment> mesh;
        std::string parent;
        std::string parentSkin;
        std::string where;
    };

    // Reads the "name" a bone or slot must have, unique among those in taken; where then names it.
    bool ReadName(const JsonValue& value, const char* kind, const std::unordered_map<std::string, std::size_t>& taken,
                  std::string& where, std::string& name);
    // The index of the bone or slot a member is keyed by, when it exists and holds an object.
    bool IndexOf(const JsonMember& member, const char* kind,
                 const std::unordered_map<std::string, std::size_t>& indices, const std::string& where,
                 std::size_t& out);
    bool ReadInfo(const JsonValue& root);
    bool ReadBones(const JsonValue& root);
    bool ReadBone(const JsonValue& bone, std::size_t index, const JsonValue& allBones,
                  std::vector<std::string>& otherModes);
    bool ReadSlots(const JsonValue& root);
    bool ReadSkins(const JsonValue& root);
    bool ReadSkin(const std::string& name, const JsonValue* attachments);
    bool ReadAttachment(const JsonValue& value, Skin& skin, std::size_t slotIndex, const std::string& key,
                        const std::string& where);
    bool ReadRegion(const JsonValue& value, RegionAttachment& region, const std::string& where);
    bool ReadMesh(const JsonValue& value, MeshAttachment& mesh, const std::string& where);
    bool ReadWeights(const JsonValue& vertices, std::size_t vertexCount, MeshAttachment& mesh,
                     const std::string& where);
    bool FindRegion(Attachment& attachment, const std::string& where);
    bool ResolveLinkedMeshes();
    bool ReadAnimations(const JsonValue& root);
    bool ReadAnimation(const std::string& name, const JsonValue& value);
    bool ReadBoneTimelines(const JsonValue& bones, Animation& animation, const std::string& where);
    bool ReadSlotTimelines(const JsonValue& slots, Animation& animation, const std::string& where);
    bool ReadDrawOrder(const JsonValue& keys, Animation& animation, const std::string& where);

    const Atlas& atlas;
    JsonInput& input;
    SkeletonData& data;
    std::unordered_map<std::string, std::size_t> boneIndices;
    std::unordered_map<std::string, std::size_t> slotIndices;
    std::unordered_map<std::string, Skin*> skinsByName;
    std::unordered_set<std::string> animationNames;
    std::vector<LinkedMesh> linkedMeshes;
};

// More bones or slots than this is no real skeleton; the limit keeps indices small.
constexpr std::size_t maxSkeletonItems = 1u << 16;
// Mesh triangles index vertices with 16 bits.
constexpr std::size_t maxMeshVertices = 1u << 16;

std::string Quoted(std::string_view text);

} // namespace kesto::spine::detail
