#include "SkeletonJsonInternal.h"

#include <cmath>
#include <limits>
#include <rapidjson/error/en.h>

namespace kesto::spine::detail
{
namespace
{

constexpr double largestFloat = std::numeric_limits<float>::max();

std::string AtLine(std::string_view text, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
    {
        if (text[i] == '\n')
        {
            ++line;
            column = 1;
        }
        else
        {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Offset of the first bracket that nests deeper than maxDepth, or npos. Brackets inside strings do not count.
std::size_t TooDeep(std::string_view text, int maxDepth)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (inString)
        {
            if (c == '\\')
            {
                ++i;
            }
            else if (c == '"')
            {
                inString = false;
            }
        }
        else if (c == '"')
        {
            inString = true;
        }
        else if (c == '[' || c == '{')
        {
            if (++depth > maxDepth)
            {
                return i;
            }
        }
        else if (c == ']' || c == '}')
        {
            --depth;
        }
    }
    return std::string_view::npos;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
    {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f')
    {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F')
    {
        return c - 'A' + 10;
    }
    return -1;
}

std::string Where(const std::string& where, const char* key)
{
    return (where.empty() ? "" : where + ", ") + "\"" + key + "\"";
}

} // namespace

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool JsonInput::Fail(const std::string& where, const std::string& what)
{
    if (error.empty())
    {
        error = fileName + ": " + (where.empty() ? "" : where + ": ") + what;
    }
    return false;
}

std::string JsonInput::WarningLine() const
{
    std::string line;
    for (const std::string& warning : warnings)
    {
        line += (line.empty() ? fileName + ": " : "; ") + warning;
    }
    return line;
}

const JsonValue* JsonInput::Member(const JsonValue& object, const char* key) const
{
    if (!object.IsObject())
    {
        return nullptr;
    }
    const auto found = object.FindMember(key);
    return found == object.MemberEnd() ? nullptr : &found->value;
}

bool JsonInput::ToFloat(const JsonValue& value, const std::string& where, float& out)
{
    if (!value.IsNumber())
    {
        return Fail(where, "expected a number");
    }
    const double number = value.GetDouble();
    if (!(std::fabs(number) <= largestFloat))
    {
        return Fail(where, "the number is too large");
    }
    out = static_cast<float>(number);
    return true;
}

bool JsonInput::ToIndex(const JsonValue& value, const std::string& where, std::size_t limit, std::size_t& out)
{
    if (!value.IsNumber())
    {
        return Fail(where, "expected a whole number");
    }
    const double number = value.GetDouble();
    if (!(number >= 0.0 && number < static_cast<double>(limit)) || number != std::floor(number))
    {
        return Fail(where, "expected a whole number at least 0 and below " + std::to_string(limit));
    }
    out = static_cast<std::size_t>(number);
    return true;
}

bool JsonInput::Float(const JsonValue& object, const char* key, const std::string& where, float& out)
{
    const JsonValue* value = Member(object, key);
    return !value || ToFloat(*value, Where(where, key), out);
}

bool JsonInput::Bool(const JsonValue& object, const char* key, const std::string& where, bool& out)
{
    const JsonValue* value = Member(object, key);
    if (!value)
    {
        return true;
    }
    if (!value->IsBool())
    {
        return Fail(Where(where, key), "expected true or false");
    }
    out = value->GetBool();
    return true;
}

bool JsonInput::Int(const JsonValue& object, const char* key, const std::string& where, int lowest, int highest,
                    int& out)
{
    const JsonValue* value = Member(object, key);
    if (!value)
    {
        return true;
    }
    const bool whole = value->IsNumber() && value->GetDouble() == std::floor(value->GetDouble());
    const double number = whole ? value->GetDouble() : 0.0;
    if (!whole || number < lowest || number > highest)
    {
        return Fail(Where(where, key),
                    "expected a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest));
    }
    out = static_cast<int>(number);
    return true;
}

bool JsonInput::String(const JsonValue& object, const char* key, const std::string& where, std::string& out)
{
    const JsonValue* value = Member(object, key);
    if (!value)
    {
        return true;
    }
    if (!value->IsString())
    {
        return Fail(Where(where, key), "expected a string");
    }
    out.assign(value->GetString(), value->GetStringLength());
    return true;
}

bool JsonInput::NullableString(const JsonValue& object, const char* key, const std::string& where,
                               std::optional<std::string>& out)
{
    const JsonValue* value = Member(object, key);
    if (!value)
    {
        return true;
    }
    if (value->IsNull())
    {
        out.reset();
        return true;
    }
    std::string text;
    if (!String(object, key, where, text))
    {
        return false;
    }
    out = std::move(text);
    return true;
}

bool JsonInput::ColorHex(const JsonValue& object, const char* key, const std::string& where, Color& out)
{
    std::string text;
    if (!Member(object, key))
    {
        return true;
    }
    if (!String(object, key, where, text))
    {
        return false;
    }
    float channels[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    bool valid = text.size() == 6 || text.size() == 8;
    for (std::size_t i = 0; valid && i < text.size(); i += 2)
    {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        valid = high >= 0 && low >= 0;
        channels[i / 2] = static_cast<float>(high * 16 + low) / 255.0f;
    }
    if (!valid)
    {
        return Fail(Where(where, key), Quoted(text) + " is not a colour of the form RRGGBBAA");
    }
    out = {channels[0], channels[1], channels[2], channels[3]};
    return true;
}

bool JsonInput::Array(const JsonValue& object, const char* key, const std::string& where, const JsonValue*& out)
{
    out = Member(object, key);
    if (out && !out->IsArray())
    {
        out = nullptr;
        return Fail(Where(where, key), "expected an array");
    }
    return true;
}

bool JsonInput::Object(const JsonValue& object, const char* key, const std::string& where, const JsonValue*& out)
{
    out = Member(object, key);
    if (out && !out->IsObject())
    {
        out = nullptr;
        return Fail(Where(where, key), "expected an object");
    }
    return true;
}

bool ParseJson(std::string_view text, int maxDepth, rapidjson::Document& document, JsonInput& input)
{
    if (const std::size_t deep = TooDeep(text, maxDepth); deep != std::string_view::npos)
    {
        return input.Fail(AtLine(text, deep), "nested deeper than " + std::to_string(maxDepth) + " levels");
    }
    document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (document.HasParseError())
    {
        return input.Fail(AtLine(text, document.GetErrorOffset()), GetParseError_En(document.GetParseError()));
    }
    if (!document.IsObject())
    {
        return input.Fail("", "the document is not a JSON object");
    }
    return true;
}

} // namespace kesto::spine::detail
