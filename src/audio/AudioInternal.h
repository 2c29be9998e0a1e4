#pragma once

#include "engine/Vector.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kesto
{

// What a line of the GUID list declares.
enum class GuidKind : std::uint8_t
{
    None, // snapshots, VCAs and anything else: ignored
    Bank,
    Event,
    Bus,
    Parameter,
};

struct GuidEntry
{
    GuidKind kind = GuidKind::None;
    std::string text; // bank name, or the event, bus or parameter path
};

// Searches the line for "bank", "event", "bus" and "parameter", in that order; the first found decides, so an
// event path containing "bank" reads as a bank. Trailing blanks and carriage returns are not part of the text.
GuidEntry ClassifyGuidLine(std::string_view line);

// The sound track beside a video: the text after the path's last "." becomes "mp3" ("Intro.avi" -> "Intro.mp3");
// a file name without a dot gets ".mp3" appended.
std::string CinematicSoundPath(const std::string& videoPath);

// True when a point lies more than two view widths (2 x view height x aspect) from the camera's centre: at least
// one and a half widths beyond the screen's side, well past where any positional sound is heard.
bool IsFarOutsideView(Vec2 point, Vec2 cameraPosition, float viewHeight, float aspect);

} // namespace kesto
