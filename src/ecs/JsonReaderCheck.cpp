#include "ecs/JsonReaderCheck.h"

#include "engine/Trace.h"

#include <cstdio>
#include <utility>

namespace kesto
{

namespace
{

std::string Describe(const rapidjson::Value& value)
{
    if (value.IsInt64())
    {
        return "the integer " + std::to_string(value.GetInt64());
    }
    if (value.IsUint64())
    {
        return "the integer " + std::to_string(value.GetUint64());
    }
    if (value.IsDouble())
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value.GetDouble());
        return std::string("the number ") + text;
    }
    if (value.IsBool())
    {
        return value.GetBool() ? "true" : "false";
    }
    if (value.IsString())
    {
        return "a string";
    }
    if (value.IsArray())
    {
        return "an array of " + std::to_string(value.Size());
    }
    if (value.IsObject())
    {
        return "an object";
    }
    return "null";
}

} // namespace

JsonReaderCheck::JsonReaderCheck(Trace& traceTo, std::string source) : trace(traceTo), sourceName(std::move(source)) {}

JsonReaderCheck::~JsonReaderCheck()
{
    for (const Problem& problem : problems)
    {
        if (!problem.accepted)
        {
            trace.Report("DATA", sourceName + ": " + KeyPath(*problem.object, problem.key), problem.what);
        }
    }
    for (const Value* object : visited)
    {
        const auto& keys = readKeys.at(object);
        for (const auto& member : object->GetObject())
        {
            const std::string key(member.name.GetString(), member.name.GetStringLength());
            if (!keys.contains(key))
            {
                trace.Report("DATA", sourceName + ": " + KeyPath(*object, key), "unknown key; ignored");
            }
        }
    }
}

void JsonReaderCheck::Entered(const Value& parent, const Value& child, std::string_view key)
{
    Read(parent, key);
    if (!paths.contains(&child))
    {
        paths.emplace(&child, KeyPath(parent, key));
    }
    Keys(child);
}

void JsonReaderCheck::Read(const Value& object, std::string_view key) { Keys(object).emplace(key); }

void JsonReaderCheck::WrongShape(const Value& object, std::string_view key, const Value& found,
                                 std::string_view expected)
{
    Read(object, key);
    std::string what = "expected " + std::string(expected) + ", found " + Describe(found);
    if (found.IsInt64() && expected.starts_with("a float"))
    {
        what = "the float is written as an integer (" + std::to_string(found.GetInt64()) + ", not " +
               std::to_string(found.GetInt64()) + ".0)";
    }
    for (const Problem& problem : problems)
    {
        if (problem.object == &object && problem.key == key)
        {
            return;
        }
    }
    problems.push_back({&object, std::string(key), what + "; skipped, the default is kept"});
}

void JsonReaderCheck::Accepted(const Value& object, std::string_view key)
{
    Read(object, key);
    for (Problem& problem : problems)
    {
        if (problem.object == &object && problem.key == key)
        {
            problem.accepted = true;
        }
    }
}

void JsonReaderCheck::SkippedElements(const Value& object, std::string_view key, std::string_view expected)
{
    Read(object, key);
    problems.push_back(
        {&object, std::string(key), "holds elements that are not " + std::string(expected) + "; those are skipped"});
}

std::string JsonReaderCheck::Path(const Value& object) const
{
    const auto found = paths.find(&object);
    return found == paths.end() ? std::string() : found->second;
}

std::unordered_set<std::string>& JsonReaderCheck::Keys(const Value& object)
{
    const auto [found, added] = readKeys.try_emplace(&object);
    if (added)
    {
        visited.push_back(&object);
    }
    return found->second;
}

std::string JsonReaderCheck::KeyPath(const Value& object, std::string_view key) const
{
    const std::string path = Path(object);
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}

} // namespace kesto
