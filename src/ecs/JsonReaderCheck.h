#pragma once

#include <rapidjson/document.h>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kesto
{

class Trace;

// What a JsonReader notes while data is checked: the JSON path of every object it visits, the keys read in each,
// and values that had the wrong shape. Reported once, when the reader is done with the file.
class JsonReaderCheck
{
public:
    using Value = rapidjson::Value;

    JsonReaderCheck(Trace& trace, std::string sourceName);
    ~JsonReaderCheck();
    JsonReaderCheck(const JsonReaderCheck&) = delete;
    JsonReaderCheck& operator=(const JsonReaderCheck&) = delete;

    // `child` is the member `key` of `parent`; `key` may carry the member's place when keys repeat ("Archetype[3]").
    void Entered(const Value& parent, const Value& child, std::string_view key);
    void Read(const Value& object, std::string_view key);
    // The member `key` of `object` is not `expected`; stays a problem unless a later read of it succeeds.
    void WrongShape(const Value& object, std::string_view key, const Value& found, std::string_view expected);
    void Accepted(const Value& object, std::string_view key);
    // An array member whose elements are not all of the kind the reader takes; the others are skipped.
    void SkippedElements(const Value& object, std::string_view key, std::string_view expected);

    std::string Path(const Value& object) const;

private:
    struct Problem
    {
        const Value* object;
        std::string key;
        std::string what;
        bool accepted = false;
    };

    std::unordered_set<std::string>& Keys(const Value& object);
    std::string KeyPath(const Value& object, std::string_view key) const;

    Trace& trace;
    std::string sourceName;
    std::vector<const Value*> visited; // first-visit order, so reports follow the file
    std::unordered_map<const Value*, std::unordered_set<std::string>> readKeys;
    std::unordered_map<const Value*, std::string> paths;
    std::vector<Problem> problems;
};

} // namespace kesto
