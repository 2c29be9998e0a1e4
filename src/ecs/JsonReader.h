#pragma once

#include "engine/Vector.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace kesto
{

class Trace;

// What NextMember found at the walk position.
enum class JsonMemberKind : int
{
    Object = 0,      // entered, like Enter; leave it with Leave
    End = 3,         // a member of another type, or no more members
    Array = 4,       // stepped over
    StringArray = 6, // an array whose first element is a string; stepped over
};

// Reads one JSON file. Typed reads look into the current object and leave their output untouched when the key is
// absent or has the wrong shape; a float must be written with a fraction or exponent (2.0, not 2). When the Trace it
// reports to is checking data, the reader also reports, as it is destroyed, every value of the wrong shape that no
// later read accepted and every member of a visited object that nothing read.
class JsonReader
{
public:
    // Objects and arrays nested deeper than this (the root object is level 1) make a file unreadable, so no walk over
    // a document ever goes deeper.
    static constexpr int maxDepth = 64;

    JsonReader();
    ~JsonReader();
    JsonReader(const JsonReader&) = delete;
    JsonReader& operator=(const JsonReader&) = delete;

    // Parses folder + file. A file that cannot be read or parsed, or nests deeper than maxDepth, gives an empty
    // document, reported to `trace` when it is not null. Returns whether a document was parsed.
    bool Open(const std::string& folder, const std::string& file, Trace* trace);
    // Parses text directly; `sourceName` names it in reports.
    bool Parse(const std::string& text, const std::string& sourceName, Trace* trace);

    // The file name given to Open, for reports.
    const std::string& SourceName() const { return sourceName; }
    // The file name and, while data is checked, the JSON path of the current object: the subject of a report.
    std::string Where() const;

    bool TryReadBool(const char* key, bool& out) const;
    bool TryReadFloat(const char* key, float& out) const;
    bool TryReadInt(const char* key, int& out) const;
    // An enumeration stored as its number. Every number is kept, so a value the game does not know survives a
    // read and write unchanged; users treat it as their documented fallback.
    template <typename E>
    requires std::is_enum_v<E>
    bool TryReadEnum(const char* key, E& out) const
    {
        int number = 0;
        if (!TryReadInt(key, number))
        {
            return false;
        }
        out = static_cast<E>(number);
        return true;
    }
    bool TryReadUnsigned(const char* key, unsigned& out) const;
    bool TryReadString(const char* key, std::string& out) const;
    bool TryReadVec2(const char* key, Vec2& out) const;
    bool TryReadVec3(const char* key, Vec3& out) const;
    bool TryReadVec4(const char* key, Vec4& out) const;
    // Appends every integer element of the array `key`.
    bool TryReadIntList(const char* key, std::vector<int>& out) const;
    // Replaces `out` when `key` is an array whose elements are all arrays of two numbers (patrol paths).
    bool TryReadVec2List(const char* key, std::vector<Vec2>& out) const;
    // Appends the value of every string member named `key`, for keys an object repeats; true if any was found.
    bool TryReadRepeatedStrings(const char* key, std::vector<std::string>& out) const;
    // Appends the string elements of the array `key`.
    bool TryReadStringList(const char* key, std::vector<std::string>& out) const;
    // Appends the strings of the array "Sublevels".
    bool ReadSublevels(std::vector<std::string>& out) const;
    bool HasMember(const char* key) const;
    // Members of the current object, whatever their keys; bounds loops over counts that the data claims.
    int MemberCount() const;

    // Makes the object member `key` current, remembering where we were; false (and no change) otherwise.
    bool Enter(const char* key);
    // Returns to where the last Enter was made; with nothing entered, the root becomes current.
    void Leave();
    // Makes the next object member named `key` of the walked object current, without entering it. Returns false
    // and makes the root current when there is none left; keys may repeat, which is how entity lists are stored.
    bool NextObjectMember(const char* key);
    // Steps through the walked object's members regardless of key; see JsonMemberKind.
    JsonMemberKind NextMember(std::string& key);
    // The current object was dealt with as a whole (and reported, when it was wrong): while data is checked, its
    // members are not reported as unread.
    void SkipCurrent();
    // The key of the member most recently entered; empty at the root.
    std::string CurrentKey() const;

private:
    struct Document;
    std::unique_ptr<Document> document;
    std::string sourceName;
};

} // namespace kesto
