#include "ecs/JsonReader.h"

#include "ecs/JsonReaderCheck.h"
#include "engine/AssetPath.h"
#include "engine/Trace.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <utility>

namespace kesto
{

using Value = rapidjson::Value;

struct JsonReader::Document
{
    struct Frame
    {
        const Value* current;
        const Value* walked;
        rapidjson::SizeType position;
        std::string key;
    };

    rapidjson::Document root;
    Value emptyObject{rapidjson::kObjectType};
    const Value* current = nullptr; // where typed reads look
    const Value* walked = nullptr;  // whose members NextObjectMember and NextMember step through
    rapidjson::SizeType position = 0;
    std::vector<Frame> stack;
    std::unique_ptr<JsonReaderCheck> check; // only while data is checked; after root, so it reports before it goes

    const Value& Root() const { return root.IsObject() ? static_cast<const Value&>(root) : emptyObject; }

    void Reset()
    {
        current = &Root();
        walked = &Root();
        position = 0;
        stack.clear();
    }

    const Value* Member(const char* key) const
    {
        const auto found = current->FindMember(key);
        return found == current->MemberEnd() ? nullptr : &found->value;
    }

    // Notes for the checker whether the present member `key` was taken; returns `accepted`.
    bool Outcome(const char* key, const Value* value, bool accepted, const char* expected) const
    {
        if (check && value)
        {
            if (accepted)
            {
                check->Accepted(*current, key);
            }
            else
            {
                check->WrongShape(*current, key, *value, expected);
            }
        }
        return accepted;
    }
};

namespace
{

// Walked with an explicit stack: a file nested far deeper than this must not exhaust the call stack here either.
bool NestsDeeperThan(const Value& root, int limit)
{
    std::vector<std::pair<const Value*, int>> pending{{&root, 1}};
    while (!pending.empty())
    {
        const auto [value, depth] = pending.back();
        pending.pop_back();
        if (depth > limit)
        {
            return true;
        }
        if (value->IsObject())
        {
            for (const auto& member : value->GetObject())
            {
                pending.emplace_back(&member.value, depth + 1);
            }
        }
        else if (value->IsArray())
        {
            for (const Value& element : value->GetArray())
            {
                pending.emplace_back(&element, depth + 1);
            }
        }
    }
    return false;
}

template <typename Vec, int count> bool ReadVector(const Value* value, Vec& out)
{
    if (!value || !value->IsArray() || value->Size() != count)
    {
        return false;
    }
    float parts[count];
    for (rapidjson::SizeType i = 0; i < static_cast<rapidjson::SizeType>(count); ++i)
    {
        if (!(*value)[i].IsNumber())
        {
            return false;
        }
        parts[i] = static_cast<float>((*value)[i].GetDouble());
    }
    std::copy(parts, parts + count, &out.x);
    return true;
}

// A member of a key that repeats (one entity per member): named by its key and its place among them.
void CheckRepeatedMember(JsonReaderCheck& check, const Value& walked, rapidjson::SizeType index, const char* key)
{
    int ordinal = 0;
    for (rapidjson::SizeType i = 0; i < index; ++i)
    {
        ordinal += (walked.MemberBegin() + i)->name == key ? 1 : 0;
    }
    const Value& value = (walked.MemberBegin() + index)->value;
    const std::string label = std::string(key) + "[" + std::to_string(ordinal) + "]";
    if (value.IsObject())
    {
        check.Entered(walked, value, label);
        check.Read(walked, key);
    }
    else
    {
        check.WrongShape(walked, label, value, "an object");
        check.Read(walked, key);
    }
}

} // namespace

JsonReader::JsonReader() : document(std::make_unique<Document>()) { document->Reset(); }

JsonReader::~JsonReader() = default;

bool JsonReader::Open(const std::string& folder, const std::string& file, Trace* trace)
{
    document->check.reset();
    sourceName = folder + file;
    const std::filesystem::path path = AssetPath(sourceName);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    // Only regular files are opened: a folder reads as nothing, and a pipe or device could block the game forever.
    const bool folderInstead = std::filesystem::is_directory(status);
    const bool special = std::filesystem::exists(status) && !folderInstead && !std::filesystem::is_regular_file(status);
    std::ifstream stream;
    if (!folderInstead && !special)
    {
        stream.open(path);
    }
    if (!stream.is_open())
    {
        const int openError = errno;
        document->root.SetObject();
        document->Reset();
        if (trace)
        {
            trace->Report("DATA", sourceName,
                          folderInstead ? "is a folder, not a file; read as empty"
                          : special     ? "is not a regular file (a pipe or device); read as empty"
                                        : "cannot open the file (" + std::string(std::strerror(openError)) + ")");
        }
        return false;
    }
    // Lines are joined without their breaks, as the data files have always been read.
    std::string text;
    std::string line;
    while (std::getline(stream, line))
    {
        if (!line.empty() && line.back() == '\r')
        {
            line.pop_back();
        }
        text += line;
    }
    return Parse(text, sourceName, trace);
}

bool JsonReader::Parse(const std::string& text, const std::string& name, Trace* trace)
{
    document->check.reset();
    sourceName = name;
    // Editors on some systems start UTF-8 files with a byte-order mark; it is not part of the JSON.
    const std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    // Iterative, so the nesting of the text cannot overflow the call stack.
    document->root.Parse<rapidjson::kParseIterativeFlag>(text.c_str() + start, text.size() - start);
    bool parsed = true;
    if (document->root.HasParseError())
    {
        if (trace)
        {
            trace->Report("DATA", sourceName,
                          std::string("JSON parse error at offset ") +
                              std::to_string(start + document->root.GetErrorOffset()) + ": " +
                              rapidjson::GetParseError_En(document->root.GetParseError()));
        }
        document->root.SetObject();
        parsed = false;
    }
    else if (!document->root.IsObject())
    {
        if (trace)
        {
            trace->Report("DATA", sourceName, "the root is not a JSON object");
        }
        parsed = false;
    }
    else if (NestsDeeperThan(document->root, maxDepth))
    {
        if (trace)
        {
            trace->Report("DATA", sourceName,
                          "nested deeper than " + std::to_string(maxDepth) + " levels; the file is not read");
        }
        document->root.SetObject();
        parsed = false;
    }
    document->Reset();
    if (trace && trace->checkingData)
    {
        document->check = std::make_unique<JsonReaderCheck>(*trace, sourceName);
    }
    return parsed;
}

bool JsonReader::TryReadBool(const char* key, bool& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsBool(), "true or false"))
    {
        return false;
    }
    out = value->GetBool();
    return true;
}

bool JsonReader::TryReadFloat(const char* key, float& out) const
{
    const Value* value = document->Member(key);
    // Integer literals are deliberately not floats: data written as 2 is a mistake the file must fix.
    if (!document->Outcome(key, value, value && value->IsDouble(), "a float (a number with a fraction)"))
    {
        return false;
    }
    out = static_cast<float>(value->GetDouble());
    return true;
}

bool JsonReader::TryReadInt(const char* key, int& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsInt(), "a 32-bit integer"))
    {
        return false;
    }
    out = value->GetInt();
    return true;
}

bool JsonReader::TryReadUnsigned(const char* key, unsigned& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsUint(), "a non-negative 32-bit integer"))
    {
        return false;
    }
    out = value->GetUint();
    return true;
}

bool JsonReader::TryReadString(const char* key, std::string& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsString(), "a string"))
    {
        return false;
    }
    out.assign(value->GetString(), value->GetStringLength());
    return true;
}

bool JsonReader::TryReadVec2(const char* key, Vec2& out) const
{
    const Value* value = document->Member(key);
    return document->Outcome(key, value, ReadVector<Vec2, 2>(value, out), "an array of 2 numbers");
}

bool JsonReader::TryReadVec3(const char* key, Vec3& out) const
{
    const Value* value = document->Member(key);
    return document->Outcome(key, value, ReadVector<Vec3, 3>(value, out), "an array of 3 numbers");
}

bool JsonReader::TryReadVec4(const char* key, Vec4& out) const
{
    const Value* value = document->Member(key);
    return document->Outcome(key, value, ReadVector<Vec4, 4>(value, out), "an array of 4 numbers");
}

bool JsonReader::TryReadIntList(const char* key, std::vector<int>& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsArray(), "an array of integers"))
    {
        return false;
    }
    for (const Value& element : value->GetArray())
    {
        if (element.IsInt())
        {
            out.push_back(element.GetInt());
        }
        else if (document->check)
        {
            document->check->SkippedElements(*document->current, key, "32-bit integers");
        }
    }
    return true;
}

bool JsonReader::TryReadVec2List(const char* key, std::vector<Vec2>& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsArray(), "an array of points"))
    {
        return false;
    }
    std::vector<Vec2> points;
    for (const Value& element : value->GetArray())
    {
        Vec2 point;
        if (!ReadVector<Vec2, 2>(&element, point))
        {
            return document->Outcome(key, value, false, "an array of points, each an array of 2 numbers");
        }
        points.push_back(point);
    }
    out = std::move(points);
    return true;
}

bool JsonReader::TryReadRepeatedStrings(const char* key, std::vector<std::string>& out) const
{
    bool found = false;
    for (const auto& member : document->current->GetObject())
    {
        if (member.name == key && document->check)
        {
            document->check->Read(*document->current, key);
        }
        if (member.name == key && member.value.IsString())
        {
            out.emplace_back(member.value.GetString(), member.value.GetStringLength());
            found = true;
        }
    }
    return found;
}

bool JsonReader::ReadSublevels(std::vector<std::string>& out) const { return TryReadStringList("Sublevels", out); }

bool JsonReader::TryReadStringList(const char* key, std::vector<std::string>& out) const
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsArray(), "an array of names"))
    {
        return false;
    }
    for (const Value& element : value->GetArray())
    {
        if (element.IsString())
        {
            out.emplace_back(element.GetString(), element.GetStringLength());
        }
        else if (document->check)
        {
            document->check->SkippedElements(*document->current, key, "strings");
        }
    }
    return true;
}

bool JsonReader::HasMember(const char* key) const
{
    const Value* value = document->Member(key);
    if (value && document->check)
    {
        document->check->Read(*document->current, key);
    }
    return value != nullptr;
}

int JsonReader::MemberCount() const { return static_cast<int>(document->current->MemberCount()); }

bool JsonReader::Enter(const char* key)
{
    const Value* value = document->Member(key);
    if (!document->Outcome(key, value, value && value->IsObject(), "an object"))
    {
        return false;
    }
    if (document->check)
    {
        document->check->Entered(*document->current, *value, key);
    }
    document->stack.push_back({document->current, document->walked, document->position, key});
    document->current = value;
    document->walked = value;
    document->position = 0;
    return true;
}

void JsonReader::Leave()
{
    if (document->stack.empty())
    {
        document->current = &document->Root();
        return;
    }
    const Document::Frame frame = document->stack.back();
    document->stack.pop_back();
    document->current = frame.current;
    document->walked = frame.walked;
    document->position = frame.position;
}

bool JsonReader::NextObjectMember(const char* key)
{
    const Value& walked = *document->walked;
    for (rapidjson::SizeType i = document->position; i < walked.MemberCount(); ++i)
    {
        const auto member = walked.MemberBegin() + i;
        if (member->name != key)
        {
            continue;
        }
        if (document->check)
        {
            CheckRepeatedMember(*document->check, walked, i, key);
        }
        if (member->value.IsObject())
        {
            document->current = &member->value;
            document->position = i + 1;
            return true;
        }
    }
    document->position = walked.MemberCount();
    document->current = &document->Root();
    return false;
}

JsonMemberKind JsonReader::NextMember(std::string& key)
{
    const Value& walked = *document->walked;
    if (document->position >= walked.MemberCount())
    {
        return JsonMemberKind::End;
    }
    const auto member = walked.MemberBegin() + document->position;
    key.assign(member->name.GetString(), member->name.GetStringLength());
    if (document->check)
    {
        document->check->Read(walked, key);
    }
    if (member->value.IsObject())
    {
        if (document->check)
        {
            document->check->Entered(walked, member->value, key);
        }
        ++document->position;
        document->stack.push_back({document->current, document->walked, document->position, key});
        document->current = &member->value;
        document->walked = &member->value;
        document->position = 0;
        return JsonMemberKind::Object;
    }
    if (member->value.IsArray())
    {
        ++document->position;
        const bool strings = !member->value.Empty() && member->value[0].IsString();
        return strings ? JsonMemberKind::StringArray : JsonMemberKind::Array;
    }
    return JsonMemberKind::End;
}

void JsonReader::SkipCurrent()
{
    if (document->check)
    {
        for (const auto& member : document->current->GetObject())
        {
            document->check->Read(*document->current,
                                  std::string_view(member.name.GetString(), member.name.GetStringLength()));
        }
    }
}

std::string JsonReader::Where() const
{
    const std::string path = document->check ? document->check->Path(*document->current) : std::string();
    return path.empty() ? sourceName : sourceName + ": " + path;
}

std::string JsonReader::CurrentKey() const
{
    return document->stack.empty() ? std::string() : document->stack.back().key;
}

} // namespace kesto
