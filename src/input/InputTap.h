#pragma once

#include "input/KeyboardMouseDevice.h"
#include "input/PadDevice.h"

#include <memory>

namespace kesto
{

class SystemRegistry;

// Stands between the engine and the real keyboard, mouse and pad: the engine reads the devices the tap hands out,
// which forward to the real ones unless the tap says otherwise. Replays record and play back through it. The tap
// must outlive the engine that reads its devices.
class InputTap
{
public:
    virtual ~InputTap() = default;

    // The device the engine reads instead of `live`; `owned`, when given, is `live` and is kept by the result.
    std::unique_ptr<KeyboardMouseDevice> TapKeyboardMouse(KeyboardMouseDevice& live,
                                                          std::unique_ptr<KeyboardMouseDevice> owned = nullptr);
    std::unique_ptr<PadDevice> TapPad(PadDevice& live, std::unique_ptr<PadDevice> owned = nullptr);

protected:
    // Called once, when the engine's keyboard/mouse system initialises (every system is registered by then).
    virtual void Attached(const SystemRegistry&) {}
    virtual bool IsDown(int code) const { return liveKeyboardMouse->IsDown(code); }
    virtual CursorPixels GetCursor() const { return liveKeyboardMouse->GetCursor(); }
    // The end of every frame: the keyboard/mouse system has recorded the state and asks for the next.
    virtual void PollEvents() { liveKeyboardMouse->PollEvents(); }
    // Once a frame, by the controller system.
    virtual gamepad::GamepadResult GetState(gamepad::GamepadState& state) { return livePad->GetState(state); }

    KeyboardMouseDevice* liveKeyboardMouse = nullptr; // set by TapKeyboardMouse
    PadDevice* livePad = nullptr;                     // set by TapPad

private:
    class TappedKeyboardMouse;
    class TappedPad;
};

} // namespace kesto
