#pragma once

#include "input/InputTap.h"
#include "input/KeyboardMouseCodes.h"
#include "input/Replay.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kesto
{

class SystemRegistry;

// Keeps the run being played, through the input seam. A run starts whenever a level loads: both random sources get
// fresh seeds, which the run keeps, and every frame after the load adds its step and what the keyboard, mouse and pad
// said. A press of saveKey writes the run so far into the replay folder and says where in the log. Expects one pump
// of the keyboard/mouse device per frame, as the game's frame loop does.
class ReplayRecorder : public InputTap
{
public:
    static constexpr int saveKey = GLFW_KEY_F8; // bound to no action

    // `folder`: where saveKey writes runs (created when missing); empty: saveKey writes nothing.
    ReplayRecorder(SystemRegistry& registry, std::string folder);

    // The run since the latest level load; no frames before the first.
    const Replay& Run() const { return run; }
    bool IsRecording() const { return recording; }
    // Writes the run so far to a new file in the folder and reports where; returns its path, or empty when there
    // is no run or it cannot be written (reported).
    std::string Save();

    // Where each run's seeds come from; the default draws from the system's entropy source.
    std::function<std::uint32_t()> seedSource;

protected:
    void Attached(const SystemRegistry& registry) override;
    void PollEvents() override;
    gamepad::GamepadResult GetState(gamepad::GamepadState& state) override;

private:
    void BeginRun(const std::string& level);
    // The keyboard and cursor as the live device reads them now.
    ReplayInput ReadKeyboardMouse() const;

    SystemRegistry& registry;
    std::string folder;
    Replay run;
    bool recording = false;
    bool starting = false;                    // a level loaded this frame; the run starts at the frame's end
    std::optional<gamepad::GamepadState> pad; // this frame's reading; nothing while no pad is connected
};

} // namespace kesto
