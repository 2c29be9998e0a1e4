#include "spine/JsonDocument.h"

#include <charconv>
#include <cmath>

namespace kesto::spine::detail
{

const JsonValue* JsonValue::Find(std::string_view key) const
{
    for (const JsonMember& member : members)
    {
        if (member.key == key)
        {
            return &member.value;
        }
    }
    return nullptr;
}

// Recursive descent over the text; recursion stops at maxDepth, so the stack stays shallow whatever the input.
class JsonParser
{
public:
    JsonParser(std::string_view source, int depthLimit) : text(source), maxDepth(depthLimit) {}

    bool ParseDocument(JsonValue& out)
    {
        SkipSpace();
        if (position == text.size())
        {
            return Fail("the document is empty");
        }
        if (!ParseValue(out, 0))
        {
            return false;
        }
        SkipSpace();
        return position == text.size() || Fail("unexpected text after the document");
    }

    std::string error;

private:
    bool Fail(const std::string& what)
    {
        std::size_t line = 1;
        std::size_t column = 1;
        for (std::size_t i = 0; i < position && i < text.size(); ++i)
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
        error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
        return false;
    }

    void SkipSpace()
    {
        while (position < text.size() &&
               (text[position] == ' ' || text[position] == '\t' || text[position] == '\n' || text[position] == '\r'))
        {
            ++position;
        }
    }

    bool Consume(std::string_view word)
    {
        if (text.substr(position, word.size()) != word)
        {
            return false;
        }
        position += word.size();
        return true;
    }

    bool ParseValue(JsonValue& out, int depth)
    {
        if (position >= text.size())
        {
            return Fail("the document ends early");
        }
        const char c = text[position];
        if (c == '{' || c == '[')
        {
            if (depth >= maxDepth)
            {
                return Fail("nested deeper than " + std::to_string(maxDepth) + " levels");
            }
            return c == '{' ? ParseObject(out, depth + 1) : ParseArray(out, depth + 1);
        }
        if (c == '"')
        {
            out.kind = JsonValue::Kind::String;
            return ParseString(out.text);
        }
        if (c == '-' || (c >= '0' && c <= '9'))
        {
            out.kind = JsonValue::Kind::Number;
            return ParseNumber(out.number);
        }
        if (Consume("true") || Consume("false"))
        {
            out.kind = JsonValue::Kind::Bool;
            out.boolean = c == 't';
            return true;
        }
        if (Consume("null"))
        {
            out.kind = JsonValue::Kind::Null;
            return true;
        }
        return Fail("expected a value");
    }

    bool ParseObject(JsonValue& out, int depth)
    {
        out.kind = JsonValue::Kind::Object;
        ++position;
        SkipSpace();
        if (Consume("}"))
        {
            return true;
        }
        while (true)
        {
            SkipSpace();
            if (position >= text.size() || text[position] != '"')
            {
                return Fail("expected a member name in quotes");
            }
            JsonMember member;
            if (!ParseString(member.key))
            {
                return false;
            }
            SkipSpace();
            if (!Consume(":"))
            {
                return Fail("expected ':' after a member name");
            }
            SkipSpace();
            if (!ParseValue(member.value, depth))
            {
                return false;
            }
            out.members.push_back(std::move(member));
            SkipSpace();
            if (Consume("}"))
            {
                return true;
            }
            if (!Consume(","))
            {
                return Fail("expected ',' or '}' after an object member");
            }
        }
    }

    bool ParseArray(JsonValue& out, int depth)
    {
        out.kind = JsonValue::Kind::Array;
        ++position;
        SkipSpace();
        if (Consume("]"))
        {
            return true;
        }
        while (true)
        {
            SkipSpace();
            out.items.emplace_back();
            if (!ParseValue(out.items.back(), depth))
            {
                return false;
            }
            SkipSpace();
            if (Consume("]"))
            {
                return true;
            }
            if (!Consume(","))
            {
                return Fail("expected ',' or ']' after an array element");
            }
        }
    }

    bool ParseNumber(double& out)
    {
        // Checks the JSON grammar first: from_chars alone would also take forms JSON does not allow.
        const std::size_t start = position;
        auto digits = [this]
        {
            const std::size_t first = position;
            while (position < text.size() && text[position] >= '0' && text[position] <= '9')
            {
                ++position;
            }
            return position > first;
        };
        Consume("-");
        if (!Consume("0") && !digits())
        {
            return Fail("expected digits");
        }
        if (Consume(".") && !digits())
        {
            return Fail("expected digits after the decimal point");
        }
        if (position < text.size() && (text[position] == 'e' || text[position] == 'E'))
        {
            ++position;
            if (!Consume("+"))
            {
                Consume("-");
            }
            if (!digits())
            {
                return Fail("expected digits in the exponent");
            }
        }
        const auto [end, result] = std::from_chars(text.data() + start, text.data() + position, out);
        if (result == std::errc::result_out_of_range)
        {
            // Too small underflows to zero harmlessly; too large cannot be held.
            const std::string_view written = text.substr(start, position - start);
            const auto exponent = written.find_first_of("eE");
            if (exponent != std::string_view::npos && written[exponent + 1] == '-')
            {
                out = 0.0;
                return true;
            }
            position = start;
            return Fail("the number is too large");
        }
        if (result != std::errc() || end != text.data() + position || !std::isfinite(out))
        {
            position = start;
            return Fail("the number is too large");
        }
        return true;
    }

    bool ParseHex4(unsigned& out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i, ++position)
        {
            if (position >= text.size())
            {
                return Fail("the string ends early");
            }
            const char c = text[position];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
            {
                return Fail("expected four hexadecimal digits after \\u");
            }
            out = out * 16 + static_cast<unsigned>(digit);
        }
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80)
        {
            out += static_cast<char>(code);
        }
        else if (code < 0x800)
        {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        else if (code < 0x10000)
        {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool ParseEscape(std::string& out)
    {
        const char c = text[position++];
        switch (c)
        {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            break;
        default:
            --position;
            return Fail("unknown escape in a string");
        }
        unsigned code = 0;
        if (!ParseHex4(code))
        {
            return false;
        }
        // A high surrogate followed by a low one is one character beyond the basic plane.
        if (code >= 0xD800 && code < 0xDC00 && Consume("\\u"))
        {
            unsigned low = 0;
            if (!ParseHex4(low))
            {
                return false;
            }
            if (low < 0xDC00 || low >= 0xE000)
            {
                return Fail("a surrogate pair is broken");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    bool ParseString(std::string& out)
    {
        ++position;
        while (position < text.size())
        {
            const char c = text[position];
            if (c == '"')
            {
                ++position;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
            {
                return Fail("a control character in a string");
            }
            ++position;
            if (c != '\\')
            {
                out += c;
            }
            else if (position >= text.size() || !ParseEscape(out))
            {
                return error.empty() ? Fail("the string ends early") : false;
            }
        }
        return Fail("the string ends early");
    }

    std::string_view text;
    int maxDepth;
    std::size_t position = 0;
};

bool ParseJson(std::string_view text, int maxDepth, JsonValue& out, std::string& error)
{
    JsonParser parser(text, maxDepth);
    if (!parser.ParseDocument(out))
    {
        error = parser.error;
        return false;
    }
    return true;
}

} // namespace kesto::spine::detail
