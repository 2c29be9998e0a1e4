#include "input/InputTap.h"

#include <utility>

namespace kesto
{

class InputTap::TappedKeyboardMouse : public KeyboardMouseDevice
{
public:
    TappedKeyboardMouse(InputTap& owner, KeyboardMouseDevice& device, std::unique_ptr<KeyboardMouseDevice> kept)
        : tap(owner), live(device), owned(std::move(kept))
    {
    }

    void Attach(const SystemRegistry& registry) override
    {
        live.Attach(registry);
        tap.Attached(registry);
    }
    GLFWwindow* Window() const override { return live.Window(); }
    bool IsDown(int code) const override { return tap.IsDown(code); }
    CursorPixels GetCursor() const override { return tap.GetCursor(); }
    FramebufferSize GetFramebufferSize() const override { return live.GetFramebufferSize(); }
    GLFWcursor* StandardCursor(int shape) override { return live.StandardCursor(shape); }
    void ApplyCursor(GLFWcursor* cursor) override { live.ApplyCursor(cursor); }
    void PollEvents() override { tap.PollEvents(); }

private:
    InputTap& tap;
    KeyboardMouseDevice& live;
    std::unique_ptr<KeyboardMouseDevice> owned;
};

class InputTap::TappedPad : public PadDevice
{
public:
    TappedPad(InputTap& owner, PadDevice& device, std::unique_ptr<PadDevice> kept)
        : tap(owner), live(device), owned(std::move(kept))
    {
    }

    gamepad::GamepadResult GetState(gamepad::GamepadState& state) override { return tap.GetState(state); }
    gamepad::GamepadResult SetState(const gamepad::GamepadVibration& vibration) override
    {
        return live.SetState(vibration);
    }

private:
    InputTap& tap;
    PadDevice& live;
    std::unique_ptr<PadDevice> owned;
};

std::unique_ptr<KeyboardMouseDevice> InputTap::TapKeyboardMouse(KeyboardMouseDevice& live,
                                                                std::unique_ptr<KeyboardMouseDevice> owned)
{
    liveKeyboardMouse = &live;
    return std::make_unique<TappedKeyboardMouse>(*this, live, std::move(owned));
}

std::unique_ptr<PadDevice> InputTap::TapPad(PadDevice& live, std::unique_ptr<PadDevice> owned)
{
    livePad = &live;
    return std::make_unique<TappedPad>(*this, live, std::move(owned));
}

} // namespace kesto
