#pragma once

// A small JSON reader for skeleton files: strict JSON into a tree, with nesting depth bounded so that neither
// parsing nor freeing the tree can run deep.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::spine::detail
{

struct JsonMember;

// One JSON value. Object members keep their file order, duplicates included.
class JsonValue
{
public:
    enum class Kind : std::uint8_t
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object,
    };

    bool IsNull() const { return kind == Kind::Null; }
    bool IsBool() const { return kind == Kind::Bool; }
    bool IsNumber() const { return kind == Kind::Number; }
    bool IsString() const { return kind == Kind::String; }
    bool IsArray() const { return kind == Kind::Array; }
    bool IsObject() const { return kind == Kind::Object; }

    bool Bool() const { return boolean; }
    double Number() const { return number; }
    const std::string& String() const { return text; }
    // Elements of an array (empty for other kinds).
    const std::vector<JsonValue>& Items() const { return items; }
    // Members of an object (empty for other kinds).
    const std::vector<JsonMember>& Members() const { return members; }
    // The first member with that key, or null (also when this is not an object).
    const JsonValue* Find(std::string_view key) const;

private:
    friend class JsonParser;

    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0; // always finite
    std::string text;
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;
};

struct JsonMember
{
    std::string key;
    JsonValue value;
};

// Parses the whole text as one JSON value. On failure returns false and sets error to "line L, column C: what".
bool ParseJson(std::string_view text, int maxDepth, JsonValue& out, std::string& error);

} // namespace kesto::spine::detail
