#include "studio/BankParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <utility>

namespace kesto::studio::detail
{
namespace
{

constexpr std::string_view headerWord = "kesto-bank";
constexpr std::string_view formatVersion = "1";
constexpr std::string_view busPrefix = "bus:/";
constexpr std::string_view eventPrefix = "event:/";
constexpr std::string_view parameterPrefix = "parameter:/";

// Splits a line into words: blanks separate, "..." keeps blanks inside a word, # starts a comment.
// False when a quote is not closed.
bool SplitWords(std::string_view line, std::vector<std::string>& words)
{
    std::size_t at = 0;
    while (at < line.size())
    {
        const char c = line[at];
        if (c == ' ' || c == '\t' || c == '\r')
        {
            ++at;
        }
        else if (c == '#')
        {
            return true;
        }
        else if (c == '"')
        {
            const std::size_t close = line.find('"', at + 1);
            if (close == std::string_view::npos)
            {
                return false;
            }
            words.emplace_back(line.substr(at + 1, close - at - 1));
            at = close + 1;
        }
        else
        {
            const std::size_t end = line.find_first_of(" \t\r\"#", at);
            words.emplace_back(line.substr(at, end == std::string_view::npos ? line.size() - at : end - at));
            at = end == std::string_view::npos ? line.size() : end;
        }
    }
    return true;
}

bool ParseNumber(std::string_view word, float& value)
{
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

// "bus:/A/B": a prefix, then non-empty segments separated by single slashes.
bool IsPath(std::string_view path, std::string_view prefix, bool allowRoot)
{
    if (!path.starts_with(prefix))
    {
        return false;
    }
    const std::string_view rest = path.substr(prefix.size());
    if (rest.empty())
    {
        return allowRoot;
    }
    return rest.front() != '/' && rest.back() != '/' && rest.find("//") == std::string_view::npos;
}

// Reads one line's words from left to right; the first failure leaves its description in problem.
class LineParser
{
public:
    explicit LineParser(std::vector<std::string> lineWords) : words(std::move(lineWords)) {}

    bool HasMore() const { return next < words.size(); }
    bool Word(std::string& word, std::string_view what)
    {
        if (!HasMore())
        {
            return Fail("missing " + std::string(what));
        }
        word = words[next++];
        return true;
    }
    bool Number(float& value, std::string_view after)
    {
        if (!HasMore() || !ParseNumber(words[next], value))
        {
            return Fail("expected a number after \"" + std::string(after) + "\"");
        }
        ++next;
        return true;
    }
    bool Path(std::string& path, std::string_view prefix, bool allowRoot)
    {
        if (!Word(path, std::string(prefix) + " path"))
        {
            return false;
        }
        if (!IsPath(path, prefix, allowRoot))
        {
            return Fail("\"" + path + "\" is not a valid " + std::string(prefix) + " path");
        }
        return true;
    }
    bool Fail(std::string description)
    {
        if (problem.empty())
        {
            problem = std::move(description);
        }
        return false;
    }
    bool Check(bool condition, std::string_view description) { return condition || Fail(std::string(description)); }

    std::string problem;

private:
    std::vector<std::string> words;
    std::size_t next = 0;
};

bool ParseBus(LineParser& line, BusDef& bus)
{
    if (!line.Path(bus.path, busPrefix, false))
    {
        return false;
    }
    std::string option;
    while (line.HasMore() && line.Word(option, "option"))
    {
        if (option == "volume")
        {
            if (!line.Number(bus.volume, option) || !line.Check(bus.volume >= 0.0f, "volume must not be negative"))
            {
                return false;
            }
        }
        else if (option == "echo")
        {
            if (!line.Number(bus.echoDelay, option) || !line.Number(bus.echoFeedback, option) ||
                !line.Check(bus.echoDelay > 0.0f && bus.echoDelay <= 2.0f, "echo delay must be in (0, 2] seconds") ||
                !line.Check(bus.echoFeedback >= 0.0f && bus.echoFeedback < 1.0f, "echo feedback must be in [0, 1)"))
            {
                return false;
            }
        }
        else
        {
            return line.Fail("unknown bus option \"" + option + "\"");
        }
    }
    return line.problem.empty();
}

bool ParseParameter(LineParser& line, ParameterDef& parameter)
{
    std::string path;
    std::string scope;
    if (!line.Path(path, parameterPrefix, false) || !line.Word(scope, "\"global\" or \"local\""))
    {
        return false;
    }
    if (path.find('/', parameterPrefix.size()) != std::string::npos)
    {
        return line.Fail("parameter names have no folders: \"" + path + "\"");
    }
    parameter.name = path.substr(parameterPrefix.size());
    if (scope != "global" && scope != "local")
    {
        return line.Fail("expected \"global\" or \"local\", found \"" + scope + "\"");
    }
    parameter.global = scope == "global";
    std::string option;
    while (line.HasMore() && line.Word(option, "option"))
    {
        float* target = option == "default" ? &parameter.defaultValue
                        : option == "min"   ? &parameter.minimum
                        : option == "max"   ? &parameter.maximum
                        : option == "seek"  ? &parameter.seekSpeed
                                            : nullptr;
        if (target == nullptr)
        {
            return line.Fail("unknown parameter option \"" + option + "\"");
        }
        if (!line.Number(*target, option))
        {
            return false;
        }
    }
    return line.Check(parameter.minimum < parameter.maximum, "min must be below max") &&
           line.Check(parameter.defaultValue >= parameter.minimum && parameter.defaultValue <= parameter.maximum,
                      "default must lie between min and max") &&
           line.Check(parameter.seekSpeed >= 0.0f, "seek must not be negative");
}

bool ParseEvent(LineParser& line, EventDef& event)
{
    std::string keyword;
    if (!line.Path(event.path, eventPrefix, false) || !line.Word(keyword, "\"bus\"") ||
        !line.Check(keyword == "bus", "expected \"bus\" after the event path") ||
        !line.Path(event.bus, busPrefix, true))
    {
        return false;
    }
    std::string option;
    while (line.HasMore() && line.Word(option, "option"))
    {
        bool ok = true;
        if (option == "volume")
        {
            ok = line.Number(event.volume, option) && line.Check(event.volume >= 0.0f, "volume must not be negative");
        }
        else if (option == "pitch")
        {
            ok = line.Number(event.pitch, option) && line.Check(event.pitch > 0.0f, "pitch must be positive");
        }
        else if (option == "range")
        {
            ok = line.Number(event.minDistance, option) && line.Number(event.maxDistance, option) &&
                 line.Check(event.minDistance >= 0.0f && event.minDistance < event.maxDistance,
                            "range needs 0 <= min < max");
        }
        else if (option == "fadein" || option == "fadeout")
        {
            float& seconds = option == "fadein" ? event.fadeIn : event.fadeOut;
            ok = line.Number(seconds, option) && line.Check(seconds >= 0.0f, "fade times must not be negative");
        }
        else if (option == "random")
        {
            event.random = true;
        }
        else if (option == "sustain")
        {
            event.sustain = true;
        }
        else
        {
            ok = line.Fail("unknown event option \"" + option + "\"");
        }
        if (!ok)
        {
            return false;
        }
    }
    return line.problem.empty();
}

bool ParseSound(LineParser& line, SoundDef& sound)
{
    if (!line.Word(sound.file, "sound file") || !line.Check(!sound.file.empty(), "empty sound file name"))
    {
        return false;
    }
    std::string option;
    while (line.HasMore() && line.Word(option, "option"))
    {
        bool ok = true;
        if (option == "volume")
        {
            ok = line.Number(sound.volume, option) && line.Check(sound.volume >= 0.0f, "volume must not be negative");
        }
        else if (option == "pitch")
        {
            ok = line.Number(sound.pitch, option) && line.Check(sound.pitch > 0.0f, "pitch must be positive");
        }
        else if (option == "delay")
        {
            ok = line.Number(sound.delay, option) && line.Check(sound.delay >= 0.0f, "delay must not be negative");
        }
        else if (option == "loop")
        {
            sound.loop = true;
        }
        else
        {
            ok = line.Fail("unknown sound option \"" + option + "\"");
        }
        if (!ok)
        {
            return false;
        }
    }
    return line.problem.empty();
}

bool ParseEffect(LineParser& line, EffectDef& effect)
{
    std::string parameter;
    std::string property;
    if (!line.Path(parameter, parameterPrefix, false) || !line.Word(effect.target, "target path"))
    {
        return false;
    }
    effect.parameter = parameter.substr(parameterPrefix.size());
    if (!IsPath(effect.target, busPrefix, true) && !IsPath(effect.target, eventPrefix, false))
    {
        return line.Fail("the target \"" + effect.target + "\" is neither a bus nor an event path");
    }
    if (!line.Word(property, "property"))
    {
        return false;
    }
    if (property == "volume" || property == "pitch" || property == "lowpass")
    {
        effect.property = property == "volume"  ? EffectProperty::Volume
                          : property == "pitch" ? EffectProperty::Pitch
                                                : EffectProperty::Lowpass;
    }
    else
    {
        return line.Fail("unknown property \"" + property + "\" (volume, pitch or lowpass)");
    }
    std::string point;
    while (line.HasMore() && line.Word(point, "point"))
    {
        const std::size_t colon = point.find(':');
        CurvePoint parsed;
        if (colon == std::string::npos || !ParseNumber(std::string_view(point).substr(0, colon), parsed.input) ||
            !ParseNumber(std::string_view(point).substr(colon + 1), parsed.output))
        {
            return line.Fail("\"" + point + "\" is not a point of the form value:" + property);
        }
        const bool outputOk = effect.property == EffectProperty::Volume ? parsed.output >= 0.0f : parsed.output > 0.0f;
        if (!line.Check(outputOk, property + " values must be positive") ||
            !line.Check(effect.curve.empty() || parsed.input > effect.curve.back().input,
                        "point values must increase from left to right"))
        {
            return false;
        }
        effect.curve.push_back(parsed);
    }
    return line.Check(!effect.curve.empty(), "an effect needs at least one point");
}

// The parse of one file: keeps the bank being built and what the lines so far have claimed.
class BankReader
{
public:
    BankReader(std::string_view file, const ReportCallback& reportTo) : fileName(file), report(reportTo) {}

    void Line(int number, std::vector<std::string> words)
    {
        const std::string keyword = words.front();
        LineParser line(std::vector<std::string>(words.begin() + 1, words.end()));
        if (keyword != "sound")
        {
            currentEvent.reset();
        }
        if (keyword == "bus")
        {
            BusDef bus;
            bus.line = number;
            if (ParseBus(line, bus) && Unique(buses, bus.path, line))
            {
                bank.buses.push_back(std::move(bus));
            }
        }
        else if (keyword == "parameter")
        {
            ParameterDef parameter;
            parameter.line = number;
            if (ParseParameter(line, parameter) && Unique(parameters, parameter.name, line))
            {
                bank.parameters.push_back(std::move(parameter));
            }
        }
        else if (keyword == "event")
        {
            EventDef event;
            event.line = number;
            if (ParseEvent(line, event) && Unique(events, event.path, line))
            {
                bank.events.push_back(std::move(event));
                currentEvent = bank.events.size() - 1;
            }
        }
        else if (keyword == "sound")
        {
            SoundDef sound;
            sound.line = number;
            if (line.Check(currentEvent.has_value(), "a sound line must follow a valid event line") &&
                ParseSound(line, sound))
            {
                bank.events[*currentEvent].sounds.push_back(std::move(sound));
            }
        }
        else if (keyword == "effect")
        {
            EffectDef effect;
            effect.line = number;
            if (ParseEffect(line, effect))
            {
                bank.effects.push_back(std::move(effect));
            }
        }
        else
        {
            line.Fail("unknown keyword \"" + keyword + "\"");
        }
        if (!line.problem.empty())
        {
            Report(number, line.problem + "; line skipped");
        }
    }

    void Report(int number, const std::string& problem) const
    {
        if (report)
        {
            report(std::string(fileName) + ":" + std::to_string(number) + ": " + problem);
        }
    }

    BankDef bank;

private:
    static bool Unique(std::set<std::string>& seen, const std::string& key, LineParser& line)
    {
        return seen.insert(key).second || line.Fail("\"" + key + "\" is declared twice in this bank");
    }

    std::string_view fileName;
    const ReportCallback& report;
    std::set<std::string> buses;
    std::set<std::string> parameters;
    std::set<std::string> events;
    std::optional<std::size_t> currentEvent; // index in bank.events of the event that sound lines add to
};

} // namespace

std::optional<BankDef> ParseBank(std::string_view text, std::string_view fileName, const ReportCallback& report)
{
    BankReader reader(fileName, report);
    bool headerSeen = false;
    int number = 0;
    std::size_t at = 0;
    while (at <= text.size())
    {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        std::vector<std::string> words;
        if (!SplitWords(line, words))
        {
            if (headerSeen)
            {
                reader.Report(number, "unclosed quote; line skipped");
                continue;
            }
        }
        if (words.empty() && headerSeen)
        {
            continue;
        }
        if (!headerSeen)
        {
            if (words.empty())
            {
                continue;
            }
            if (words.size() != 2 || words[0] != headerWord || words[1] != formatVersion)
            {
                reader.Report(number, "not a bank file: the first line must be \"kesto-bank 1\"");
                return std::nullopt;
            }
            headerSeen = true;
            continue;
        }
        reader.Line(number, std::move(words));
    }
    if (!headerSeen)
    {
        reader.Report(number, "not a bank file: the first line must be \"kesto-bank 1\"");
        return std::nullopt;
    }
    return std::move(reader.bank);
}

float EvaluateCurve(const std::vector<CurvePoint>& curve, float input)
{
    if (curve.empty())
    {
        return 1.0f;
    }
    if (input <= curve.front().input)
    {
        return curve.front().output;
    }
    if (input >= curve.back().input)
    {
        return curve.back().output;
    }
    const auto next = std::upper_bound(curve.begin(), curve.end(), input,
                                       [](float value, const CurvePoint& point) { return value < point.input; });
    const auto previous = next - 1;
    const float t = (input - previous->input) / (next->input - previous->input);
    return previous->output + (next->output - previous->output) * t;
}

} // namespace kesto::studio::detail
