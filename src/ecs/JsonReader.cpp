#include "ecs/JsonReader.h"

#include "engine/AssetPath.h"
#include "engine/Trace.h"

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

} // namespace

JsonReader::JsonReader() : document(std::make_unique<Document>()) { document->Reset(); }

JsonReader::~JsonReader() = default;

bool JsonReader::Open(const std::string& folder, const std::string& file, Trace* trace)
{
    sourceName = folder + file;
    std::ifstream stream(AssetPath(sourceName));
    if (!stream)
    {
        document->root.SetObject();
        document->Reset();
        if (trace)
        {
            trace->Report("DATA", sourceName, "cannot open the file");
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
    sourceName = name;
    // Iterative, so the nesting of the text cannot overflow the call stack.
    document->root.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
    bool parsed = true;
    if (document->root.HasParseError())
    {
        if (trace)
        {
            trace->Report("DATA", sourceName,
                          std::string("JSON parse error at offset ") + std::to_string(document->root.GetErrorOffset()) +
                              ": " + rapidjson::GetParseError_En(document->root.GetParseError()));
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
    return parsed;
}

bool JsonReader::TryReadBool(const char* key, bool& out) const
{
    const Value* value = document->Member(key);
    if (!value || !value->IsBool())
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
    if (!value || !value->IsDouble())
    {
        return false;
    }
    out = static_cast<float>(value->GetDouble());
    return true;
}

bool JsonReader::TryReadInt(const char* key, int& out) const
{
    const Value* value = document->Member(key);
    if (!value || !value->IsInt())
    {
        return false;
    }
    out = value->GetInt();
    return true;
}

bool JsonReader::TryReadUnsigned(const char* key, unsigned& out) const
{
    const Value* value = document->Member(key);
    if (!value || !value->IsUint())
    {
        return false;
    }
    out = value->GetUint();
    return true;
}

bool JsonReader::TryReadString(const char* key, std::string& out) const
{
    const Value* value = document->Member(key);
    if (!value || !value->IsString())
    {
        return false;
    }
    out.assign(value->GetString(), value->GetStringLength());
    return true;
}

bool JsonReader::TryReadVec2(const char* key, Vec2& out) const
{
    return ReadVector<Vec2, 2>(document->Member(key), out);
}

bool JsonReader::TryReadVec3(const char* key, Vec3& out) const
{
    return ReadVector<Vec3, 3>(document->Member(key), out);
}

bool JsonReader::TryReadVec4(const char* key, Vec4& out) const
{
    return ReadVector<Vec4, 4>(document->Member(key), out);
}

bool JsonReader::TryReadIntList(const char* key, std::vector<int>& out) const
{
    const Value* value = document->Member(key);
    if (!value || !value->IsArray())
    {
        return false;
    }
    for (const Value& element : value->GetArray())
    {
        if (element.IsInt())
        {
            out.push_back(element.GetInt());
        }
    }
    return true;
}

bool JsonReader::TryReadVec2List(const char* key, std::vector<Vec2>& out) const
{
    const Value* value = document->Member(key);
    if (!value || !value->IsArray())
    {
        return false;
    }
    std::vector<Vec2> points;
    for (const Value& element : value->GetArray())
    {
        Vec2 point;
        if (!ReadVector<Vec2, 2>(&element, point))
        {
            return false;
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
    if (!value || !value->IsArray())
    {
        return false;
    }
    for (const Value& element : value->GetArray())
    {
        if (element.IsString())
        {
            out.emplace_back(element.GetString(), element.GetStringLength());
        }
    }
    return true;
}

bool JsonReader::HasMember(const char* key) const { return document->Member(key) != nullptr; }

int JsonReader::MemberCount() const { return static_cast<int>(document->current->MemberCount()); }

bool JsonReader::Enter(const char* key)
{
    const Value* value = document->Member(key);
    if (!value || !value->IsObject())
    {
        return false;
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
        if (member->value.IsObject() && member->name == key)
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
    if (member->value.IsObject())
    {
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

std::string JsonReader::CurrentKey() const
{
    return document->stack.empty() ? std::string() : document->stack.back().key;
}

} // namespace kesto
