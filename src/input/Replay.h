#pragma once

#include "gamepad/GamepadState.h"
#include "input/KeyboardMouseDevice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kesto
{

// What the keyboard, mouse and pad said during one frame.
struct ReplayInput
{
    std::vector<int> down;                    // keyboard and mouse codes held, ascending
    CursorPixels cursor;                      // window pixels, origin top-left
    std::optional<gamepad::GamepadState> pad; // nothing: no pad connected; packetNumber is always 0

    bool operator==(const ReplayInput& other) const;
};

// Frames in a row with the same step and the same input.
struct ReplaySpan
{
    int count = 1;
    float step = 0.0f; // the frame's raw duration in seconds, before the clamp and the time scale
    ReplayInput input;
};

// How the run began: the level, the seeds both random sources were given as it loaded, and the state the frame
// after the load started from.
struct ReplayStart
{
    std::string level;
    std::uint32_t randomSeed = 0; // the engine's Random
    std::uint32_t randSeed = 0;   // the C library's rand()
    FramebufferSize screen;       // the window's framebuffer; cursors are scaled to the one played back on
    float timeScale = 1.0f;
    float freezeTime = 0.0f;
    bool fadingOut = false; // the screen transition under way when the run began
    float transition = 0.0f;
    float transitionDuration = 0.0f;
    int transitionType = 0;
    ReplayInput input; // what the devices said in the frame that loaded the level
};

// A recorded run: its start and every frame after it, frame for frame.
struct Replay
{
    ReplayStart start;
    std::vector<ReplaySpan> spans;

    int FrameCount() const;
    // Appends one frame, joining the last span when it has the same step and input.
    void AddFrame(float step, const ReplayInput& input);
};

// A replay read from text, or why it could not be.
struct ReplayReadResult
{
    std::optional<Replay> replay;
    std::string error; // "line N: what" when replay is empty
};

// The text form, documented in docs/Replays.md.
std::string WriteReplayText(const Replay& replay);
ReplayReadResult ReadReplayText(const std::string& text);

// Files: a file that cannot be read or written gives the reason in `error`.
ReplayReadResult ReadReplayFile(const std::string& path);
bool WriteReplayFile(const std::string& path, const Replay& replay, std::string& error);

} // namespace kesto
