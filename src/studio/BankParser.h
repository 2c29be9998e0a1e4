#pragma once

#include "studio/CoreTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::studio::detail
{

// What a parameter changes on its target.
enum class EffectProperty : std::uint8_t
{
    Volume,  // linear gain factor
    Pitch,   // playback rate factor
    Lowpass, // low-pass cutoff in Hz
};

struct CurvePoint
{
    float input = 0.0f;  // parameter value
    float output = 0.0f; // property value
};

struct BusDef
{
    std::string path;
    float volume = 1.0f;
    float echoDelay = 0.0f; // seconds; 0 = no echo
    float echoFeedback = 0.0f;
    int line = 0;
};

struct ParameterDef
{
    std::string name; // without "parameter:/"
    bool global = true;
    float defaultValue = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float seekSpeed = 0.0f; // units per second toward a new value; 0 = at once
    int line = 0;
};

struct SoundDef
{
    std::string file; // as written: relative to the bank file's folder, or absolute
    float volume = 1.0f;
    float pitch = 1.0f;
    bool loop = false;
    float delay = 0.0f; // seconds after the event starts
    int line = 0;
};

struct EventDef
{
    std::string path;
    std::string bus;
    float volume = 1.0f;
    float pitch = 1.0f;
    float minDistance = 0.0f;
    float maxDistance = 0.0f; // 0 = not positional
    float fadeIn = 0.0f;      // seconds
    float fadeOut = 0.0f;     // seconds, used by stops that allow a fade-out
    bool random = false;      // each start plays one of the sounds instead of all of them
    bool sustain = false;     // holds (Sustaining) after the sounds end, until stopped
    std::vector<SoundDef> sounds;
    int line = 0;
};

struct EffectDef
{
    std::string parameter; // without "parameter:/"
    std::string target;    // a bus path or an event path
    EffectProperty property = EffectProperty::Volume;
    std::vector<CurvePoint> curve; // inputs strictly increasing
    int line = 0;
};

struct BankDef
{
    std::vector<BusDef> buses;
    std::vector<ParameterDef> parameters;
    std::vector<EventDef> events;
    std::vector<EffectDef> effects;
};

// Reads the text of a bank file. Each bad line is reported as "<fileName>:<line>: <problem>" and left out (a bad
// event line takes its sound lines with it). Without the "kesto-bank 1" header nothing is read: that is reported
// and the result is empty.
std::optional<BankDef> ParseBank(std::string_view text, std::string_view fileName, const ReportCallback& report);

// The curve's output at input: linear between points, held flat beyond the first and the last.
float EvaluateCurve(const std::vector<CurvePoint>& curve, float input);

} // namespace kesto::studio::detail
