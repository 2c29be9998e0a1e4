#include "spine/SkeletonJsonInternal.h"

#include <cmath>
#include <limits>

namespace kesto::spine::detail
{
namespace
{

constexpr double largestFloat = std::numeric_limits<float>::max();

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
    return object.Find(key);
}

bool JsonInput::ToFloat(const JsonValue& value, const std::string& where, float& out)
{
    if (!value.IsNumber())
    {
        return Fail(where, "expected a number");
    }
    const double number = value.Number();
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
    const double number = value.Number();
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
    out = value->Bool();
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
    const bool whole = value->IsNumber() && value->Number() == std::floor(value->Number());
    const double number = whole ? value->Number() : 0.0;
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
    out = value->String();
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

bool JsonInput::Container(const JsonValue& object, const char* key, const std::string& where, bool array,
                          const JsonValue*& out)
{
    out = Member(object, key);
    if (out && (array ? !out->IsArray() : !out->IsObject()))
    {
        out = nullptr;
        return Fail(Where(where, key), array ? "expected an array" : "expected an object");
    }
    return true;
}

} // namespace kesto::spine::detail
