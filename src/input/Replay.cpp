#include "input/Replay.h"

#include "input/KeyboardMouseCodes.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string_view>
#include <type_traits>

namespace kesto
{

namespace
{

constexpr std::string_view magic = "kesto-replay 1";
// Far beyond any run (a day at 1000 frames a second), small enough that a hostile count cannot overflow a sum.
constexpr long long maxFrames = 100'000'000;
// A stall longer than this is no frame a machine ran; the frame loop clamps every step to 0.1 s anyway.
constexpr float maxStep = 3600.0f;
constexpr double maxCursor = 1e7;

template <typename Number> void Put(std::string& out, Number value)
{
    char buffer[32];
    // Shortest text that reads back as the same value, so steps and cursors survive the file exactly.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void PutInput(std::string& out, const ReplayInput& input)
{
    if (!input.down.empty())
    {
        out += " keys";
        for (int code : input.down)
        {
            out += ' ';
            Put(out, code);
        }
    }
    out += " cursor ";
    Put(out, input.cursor.x);
    out += ' ';
    Put(out, input.cursor.y);
    if (input.pad)
    {
        const gamepad::GamepadState& pad = *input.pad;
        out += " pad";
        for (int value : {int(pad.buttons), int(pad.leftTrigger), int(pad.rightTrigger), int(pad.thumbLX),
                          int(pad.thumbLY), int(pad.thumbRX), int(pad.thumbRY)})
        {
            out += ' ';
            Put(out, value);
        }
    }
    out += '\n';
}

// The words of one line, read one at a time; the first failure is kept.
class LineReader
{
public:
    explicit LineReader(std::string_view text) : rest(text) {}

    bool AtEnd()
    {
        SkipSpaces();
        return rest.empty();
    }
    std::string_view Word()
    {
        SkipSpaces();
        const std::size_t end = rest.find(' ');
        const std::string_view word = rest.substr(0, end);
        rest.remove_prefix(word.size());
        return word;
    }
    std::string_view Peek()
    {
        SkipSpaces();
        return rest.substr(0, rest.find(' '));
    }
    std::string_view Rest()
    {
        SkipSpaces();
        std::string_view all = rest;
        rest = {};
        return all;
    }
    template <typename Number> bool Read(Number& value, Number min, Number max, const char* what)
    {
        const std::string_view word = Word();
        Number read{};
        const auto result = std::from_chars(word.data(), word.data() + word.size(), read);
        if (word.empty() || result.ec != std::errc() || result.ptr != word.data() + word.size())
        {
            return Fail(std::string(what) + " is not a number: \"" + std::string(word) + "\"");
        }
        if constexpr (std::is_floating_point_v<Number>)
        {
            if (!std::isfinite(read))
            {
                return Fail(std::string(what) + " is not finite");
            }
        }
        if (read < min || read > max)
        {
            return Fail(std::string(what) + " " + std::string(word) + " is out of range");
        }
        value = read;
        return true;
    }
    bool Fail(std::string why)
    {
        if (error.empty())
        {
            error = std::move(why);
        }
        return false;
    }

    std::string error;

private:
    void SkipSpaces()
    {
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r'))
        {
            rest.remove_prefix(1);
        }
    }

    std::string_view rest;
};

bool IsNumber(std::string_view word)
{
    return !word.empty() && (word.front() == '-' || std::isdigit(static_cast<unsigned char>(word.front())));
}

bool ReadPad(LineReader& line, gamepad::GamepadState& pad)
{
    int buttons = 0;
    int leftTrigger = 0;
    int rightTrigger = 0;
    int axes[4] = {};
    constexpr int axisMin = std::numeric_limits<std::int16_t>::min();
    constexpr int axisMax = std::numeric_limits<std::int16_t>::max();
    const bool read =
        line.Read(buttons, 0, 0xFFFF, "pad buttons") && line.Read(leftTrigger, 0, 255, "left trigger") &&
        line.Read(rightTrigger, 0, 255, "right trigger") && line.Read(axes[0], axisMin, axisMax, "left stick x") &&
        line.Read(axes[1], axisMin, axisMax, "left stick y") && line.Read(axes[2], axisMin, axisMax, "right stick x") &&
        line.Read(axes[3], axisMin, axisMax, "right stick y");
    pad.buttons = static_cast<std::uint16_t>(buttons);
    pad.leftTrigger = static_cast<std::uint8_t>(leftTrigger);
    pad.rightTrigger = static_cast<std::uint8_t>(rightTrigger);
    pad.thumbLX = static_cast<std::int16_t>(axes[0]);
    pad.thumbLY = static_cast<std::int16_t>(axes[1]);
    pad.thumbRX = static_cast<std::int16_t>(axes[2]);
    pad.thumbRY = static_cast<std::int16_t>(axes[3]);
    return read;
}

// "[keys CODE...] cursor X Y [pad B LT RT LX LY RX RY]" up to the end of the line.
bool ReadInput(LineReader& line, ReplayInput& input)
{
    bool cursor = false;
    while (!line.AtEnd())
    {
        const std::string_view word = line.Word();
        if (word == "keys")
        {
            // Codes run up to the next field's name.
            while (!line.AtEnd() && IsNumber(line.Peek()))
            {
                int code = 0;
                if (!line.Read(code, 0, keyboardMouseCodeCount - 1, "key code"))
                {
                    return false;
                }
                if (!input.down.empty() && code <= input.down.back())
                {
                    return line.Fail("key codes are not in ascending order");
                }
                input.down.push_back(code);
            }
        }
        else if (word == "cursor")
        {
            cursor = line.Read(input.cursor.x, -maxCursor, maxCursor, "cursor x") &&
                     line.Read(input.cursor.y, -maxCursor, maxCursor, "cursor y");
        }
        else if (word == "pad")
        {
            input.pad.emplace();
            ReadPad(line, *input.pad);
        }
        else
        {
            return line.Fail("unknown field \"" + std::string(word) + "\"");
        }
        if (!line.error.empty())
        {
            return false;
        }
    }
    return cursor || line.Fail("the cursor is missing");
}

} // namespace

bool ReplayInput::operator==(const ReplayInput& other) const
{
    return down == other.down && cursor.x == other.cursor.x && cursor.y == other.cursor.y && pad == other.pad;
}

int Replay::FrameCount() const
{
    int total = 0;
    for (const ReplaySpan& span : spans)
    {
        total += span.count;
    }
    return total;
}

void Replay::AddFrame(float step, const ReplayInput& input)
{
    if (!spans.empty() && spans.back().step == step && spans.back().input == input)
    {
        ++spans.back().count;
        return;
    }
    spans.push_back({1, step, input});
}

std::string WriteReplayText(const Replay& replay)
{
    const ReplayStart& start = replay.start;
    std::string out(magic);
    out += "\nlevel " + start.level + "\nseeds ";
    Put(out, start.randomSeed);
    out += ' ';
    Put(out, start.randSeed);
    out += "\nscreen ";
    Put(out, start.screen.width);
    out += ' ';
    Put(out, start.screen.height);
    out += "\ntime ";
    Put(out, start.timeScale);
    out += ' ';
    Put(out, start.freezeTime);
    out += "\nfade ";
    Put(out, start.fadingOut ? 1 : 0);
    out += ' ';
    Put(out, start.transition);
    out += ' ';
    Put(out, start.transitionDuration);
    out += ' ';
    Put(out, start.transitionType);
    out += "\nstart";
    PutInput(out, start.input);
    for (const ReplaySpan& span : replay.spans)
    {
        out += "frames ";
        Put(out, span.count);
        out += ' ';
        Put(out, span.step);
        PutInput(out, span.input);
    }
    out += "end ";
    Put(out, replay.FrameCount());
    out += '\n';
    return out;
}

ReplayReadResult ReadReplayText(const std::string& text)
{
    Replay replay;
    ReplayStart& start = replay.start;
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    bool header = false;
    // Each start field must be given once, before the frames.
    std::string seen;
    long long frames = 0;
    bool ended = false;
    auto failAt = [&number](const std::string& why) {
        return ReplayReadResult{std::nullopt, "line " + std::to_string(number) + ": " + why};
    };
    while (std::getline(lines, raw))
    {
        ++number;
        if (!raw.empty() && raw.back() == '\r')
        {
            raw.pop_back();
        }
        LineReader line(raw);
        if (line.AtEnd() || raw.front() == '#')
        {
            continue;
        }
        if (!header)
        {
            if (raw.substr(0, raw.find_last_not_of(" \r") + 1) != magic)
            {
                return failAt("not a replay: the first line must be \"" + std::string(magic) + "\"");
            }
            header = true;
            continue;
        }
        if (ended)
        {
            return failAt("nothing may follow \"end\"");
        }
        const std::string word(line.Word());
        const bool startField = word == "level" || word == "seeds" || word == "screen" || word == "time" ||
                                word == "fade" || word == "start";
        if (startField && (seen.find(" " + word + " ") != std::string::npos || !replay.spans.empty()))
        {
            return failAt("\"" + word + "\" is given twice or after the frames");
        }
        if (word == "level")
        {
            start.level = std::string(line.Rest());
        }
        else if (word == "seeds")
        {
            line.Read(start.randomSeed, 0u, 0xFFFFFFFFu, "random seed");
            line.Read(start.randSeed, 0u, 0xFFFFFFFFu, "rand seed");
        }
        else if (word == "screen")
        {
            line.Read(start.screen.width, 1, 1 << 16, "screen width");
            line.Read(start.screen.height, 1, 1 << 16, "screen height");
        }
        else if (word == "time")
        {
            line.Read(start.timeScale, 0.0f, 1000.0f, "time scale");
            line.Read(start.freezeTime, -maxStep, maxStep, "freeze time");
        }
        else if (word == "fade")
        {
            int fadingOut = 0;
            line.Read(fadingOut, 0, 1, "fading out");
            line.Read(start.transition, 0.0f, 1.0f, "transition");
            line.Read(start.transitionDuration, 0.0f, maxStep, "transition duration");
            line.Read(start.transitionType, 0, 2, "transition type");
            start.fadingOut = fadingOut == 1;
        }
        else if (word == "start")
        {
            ReadInput(line, start.input);
        }
        else if (word == "frames")
        {
            if (seen.find(" start ") == std::string::npos || start.level.empty())
            {
                return failAt("frames before \"level\" and \"start\"");
            }
            ReplaySpan span;
            if (line.Read(span.count, 1, static_cast<int>(maxFrames), "frame count") &&
                line.Read(span.step, 0.0f, maxStep, "step") && ReadInput(line, span.input))
            {
                frames += span.count;
                if (frames > maxFrames)
                {
                    return failAt("more than " + std::to_string(maxFrames) + " frames");
                }
                replay.spans.push_back(std::move(span));
            }
        }
        else if (word == "end")
        {
            long long total = 0;
            if (line.Read(total, 0LL, maxFrames, "frame total") && total != frames)
            {
                return failAt("the file holds " + std::to_string(frames) + " frames, \"end\" says " +
                              std::to_string(total) + " (cut short?)");
            }
            ended = true;
        }
        else
        {
            return failAt("unknown line \"" + word + "\"");
        }
        if (!line.error.empty())
        {
            return failAt(line.error);
        }
        if (!line.AtEnd() && word != "level")
        {
            return failAt("unexpected \"" + std::string(line.Word()) + "\" at the end of the line");
        }
        seen += " " + word + " ";
    }
    if (!header)
    {
        return ReplayReadResult{std::nullopt, "the file is empty"};
    }
    for (const char* needed : {"level", "seeds", "screen", "start"})
    {
        if (seen.find(std::string(" ") + needed + " ") == std::string::npos)
        {
            return ReplayReadResult{std::nullopt, std::string("\"") + needed + "\" is missing"};
        }
    }
    if (!ended)
    {
        return ReplayReadResult{std::nullopt, "\"end\" is missing (the file was cut short)"};
    }
    return ReplayReadResult{std::move(replay), {}};
}

ReplayReadResult ReadReplayFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        return ReplayReadResult{std::nullopt, "cannot open the file"};
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
    {
        return ReplayReadResult{std::nullopt, "cannot read the file"};
    }
    return ReadReplayText(text.str());
}

bool WriteReplayFile(const std::string& path, const Replay& replay, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << WriteReplayText(replay);
    out.close();
    if (!out)
    {
        error = "cannot write the file";
        return false;
    }
    return true;
}

} // namespace kesto
