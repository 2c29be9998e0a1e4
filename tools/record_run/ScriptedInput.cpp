#include "ScriptedInput.h"

#include <GLFW/glfw3.h>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

namespace kesto::tools
{

namespace
{

std::optional<int> KeyCode(const std::string& name)
{
    static const std::map<std::string, int> named = {
        {"Left", GLFW_KEY_LEFT},
        {"Right", GLFW_KEY_RIGHT},
        {"Up", GLFW_KEY_UP},
        {"Down", GLFW_KEY_DOWN},
        {"Space", GLFW_KEY_SPACE},
        {"Shift", GLFW_KEY_LEFT_SHIFT},
        {"Control", GLFW_KEY_LEFT_CONTROL},
        {"Escape", GLFW_KEY_ESCAPE},
    };
    if (const auto found = named.find(name); found != named.end())
    {
        return found->second;
    }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z')
    {
        return GLFW_KEY_A + (name[0] - 'A');
    }
    int code = 0;
    const auto result = std::from_chars(name.data(), name.data() + name.size(), code);
    if (result.ec == std::errc() && result.ptr == name.data() + name.size() && code >= GLFW_KEY_SPACE &&
        code <= GLFW_KEY_LAST)
    {
        return code;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<HeldKeys>> ReadInputScript(std::istream& in, std::string& error)
{
    std::vector<HeldKeys> rows;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number)
    {
        std::istringstream line(text.substr(0, text.find('#')));
        std::string word;
        if (!(line >> word))
        {
            continue;
        }
        HeldKeys row;
        const auto result = std::from_chars(word.data(), word.data() + word.size(), row.seconds);
        if (result.ec != std::errc() || result.ptr != word.data() + word.size() || !std::isfinite(row.seconds) ||
            row.seconds <= 0.0)
        {
            error = "line " + std::to_string(number) + ": \"" + word + "\" is not a number of seconds above 0";
            return std::nullopt;
        }
        while (line >> word)
        {
            const std::optional<int> code = KeyCode(word);
            if (!code)
            {
                error = "line " + std::to_string(number) + ": no key is called \"" + word + "\"";
                return std::nullopt;
            }
            row.keys.insert(*code);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace kesto::tools
