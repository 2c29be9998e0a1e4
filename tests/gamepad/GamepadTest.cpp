#include "gamepad/Gamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kesto::gamepad
{
namespace
{

struct RumbleCall
{
    Uint16 low = 0;
    Uint16 high = 0;
};

// A pad that SDL presents as a standard game controller, so hot-plugging, reading and rumble are tested
// without hardware. Needs SDL's game controller subsystem running (a Gamepad keeps it running).
class VirtualPad
{
public:
    explicit VirtualPad(bool hasMotors = true)
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1u;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1u;
        desc.name = "Kesto test pad";
        desc.userdata = this;
        desc.Rumble = hasMotors ? &VirtualPad::OnRumble : nullptr;
        const int deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
        joystick = SDL_JoystickOpen(deviceIndex);
        // Raw trigger axes span the full range; their lowest value is "released".
        SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
        SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool IsPlugged() const { return joystick != nullptr; }

    void SetButton(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
    }

    void SetAxis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick, axis, value); }

    void Unplug()
    {
        if (joystick == nullptr)
        {
            return;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
        {
            if (SDL_JoystickGetDeviceInstanceID(index) == id)
            {
                SDL_JoystickDetachVirtual(index);
                return;
            }
        }
    }

    std::vector<RumbleCall> rumbles; // every speed pair SDL sent to the motors, in order

private:
    static int SDLCALL OnRumble(void* userdata, Uint16 low, Uint16 high)
    {
        static_cast<VirtualPad*>(userdata)->rumbles.push_back({low, high});
        return 0;
    }

    SDL_Joystick* joystick = nullptr;
};

TEST(Gamepad, NoPadReadsNotConnectedAndZero)
{
    Gamepad pad;
    GamepadState state;
    state.buttons = buttonA;
    state.thumbLX = 123;

    EXPECT_EQ(pad.GetState(state), GamepadResult::DeviceNotConnected);
    EXPECT_EQ(state, GamepadState{});
}

TEST(Gamepad, NotConnectedHasXInputErrorCode)
{
    EXPECT_EQ(static_cast<std::uint32_t>(GamepadResult::Success), 0u);
    EXPECT_EQ(static_cast<std::uint32_t>(GamepadResult::DeviceNotConnected), 1167u);
}

TEST(Gamepad, NoPadRumbleReadsNotConnected)
{
    Gamepad pad;
    EXPECT_EQ(pad.SetState(GamepadVibration{0xFFFF, 0xFFFF}), GamepadResult::DeviceNotConnected);
}

TEST(Gamepad, StartingWithoutAPadReportsNothing)
{
    std::vector<std::string> reports;
    Gamepad pad([&reports](std::string_view message) { reports.emplace_back(message); });
    GamepadState state;
    pad.GetState(state);
    pad.GetState(state);
    EXPECT_TRUE(reports.empty());
}

class GamepadWithVirtualPad : public ::testing::Test
{
protected:
    GamepadState Read()
    {
        GamepadState state;
        EXPECT_EQ(pad.GetState(state), GamepadResult::Success);
        return state;
    }

    // SDL puts trigger axes at rest when it opens a controller, so tests move the pad only after this.
    void PlugInAndPickUp(bool hasMotors = true)
    {
        device.emplace(hasMotors);
        ASSERT_TRUE(device->IsPlugged()) << SDL_GetError();
        Read();
    }

    // Declared first so SDL's subsystem outlives the virtual device.
    Gamepad pad;
    std::optional<VirtualPad> device;
};

TEST_F(GamepadWithVirtualPad, PadPluggedInWhileRunningIsPickedUp)
{
    GamepadState state;
    ASSERT_EQ(pad.GetState(state), GamepadResult::DeviceNotConnected);

    device.emplace();
    ASSERT_TRUE(device->IsPlugged());

    EXPECT_EQ(pad.GetState(state), GamepadResult::Success);
}

TEST_F(GamepadWithVirtualPad, PadPulledOutReadsNotConnectedAndZero)
{
    PlugInAndPickUp();
    device->SetButton(SDL_CONTROLLER_BUTTON_B, true);
    ASSERT_EQ(Read().buttons, buttonB);

    device->Unplug();

    GamepadState state;
    EXPECT_EQ(pad.GetState(state), GamepadResult::DeviceNotConnected);
    EXPECT_EQ(state, GamepadState{});
    EXPECT_EQ(pad.SetState(GamepadVibration{1, 1}), GamepadResult::DeviceNotConnected);
}

TEST_F(GamepadWithVirtualPad, PadPluggedInAgainIsPickedUpAgain)
{
    PlugInAndPickUp();
    device.reset();
    GamepadState state;
    ASSERT_EQ(pad.GetState(state), GamepadResult::DeviceNotConnected);

    device.emplace();
    device->SetButton(SDL_CONTROLLER_BUTTON_Y, true);

    EXPECT_EQ(Read().buttons, buttonY);
}

TEST_F(GamepadWithVirtualPad, FirstPadStaysUserZeroUntilPulledOut)
{
    PlugInAndPickUp();
    VirtualPad second;
    second.SetButton(SDL_CONTROLLER_BUTTON_START, true);
    ASSERT_EQ(Read().buttons, 0);

    device->Unplug();

    EXPECT_EQ(Read().buttons, buttonStart);
}

TEST_F(GamepadWithVirtualPad, RestingPadReadsZero)
{
    PlugInAndPickUp();
    GamepadState state = Read();
    state.packetNumber = 0;
    EXPECT_EQ(state, GamepadState{});
}

TEST_F(GamepadWithVirtualPad, ButtonsArriveAsXInputMasks)
{
    PlugInAndPickUp();
    device->SetButton(SDL_CONTROLLER_BUTTON_A, true);
    device->SetButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    device->SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    device->SetButton(SDL_CONTROLLER_BUTTON_GUIDE, true);

    EXPECT_EQ(Read().buttons, buttonA | buttonDpadUp | buttonRightShoulder);
}

TEST_F(GamepadWithVirtualPad, SticksReadWithYUp)
{
    PlugInAndPickUp();
    device->SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    device->SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    device->SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, 10001);
    device->SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, 32767);

    const GamepadState state = Read();

    EXPECT_EQ(state.thumbLX, -32768);
    EXPECT_EQ(state.thumbLY, 32767);
    EXPECT_EQ(state.thumbRX, 10001);
    EXPECT_EQ(state.thumbRY, -32767);
}

TEST_F(GamepadWithVirtualPad, FullyPulledTriggerReads255)
{
    PlugInAndPickUp();
    device->SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX);

    const GamepadState state = Read();

    EXPECT_EQ(state.rightTrigger, 255);
    EXPECT_EQ(state.leftTrigger, 0);
}

TEST_F(GamepadWithVirtualPad, PacketNumberChangesExactlyWhenStateChanges)
{
    PlugInAndPickUp();
    const std::uint32_t first = Read().packetNumber;
    EXPECT_EQ(Read().packetNumber, first);

    device->SetButton(SDL_CONTROLLER_BUTTON_X, true);
    const std::uint32_t pressed = Read().packetNumber;
    EXPECT_NE(pressed, first);
    EXPECT_EQ(Read().packetNumber, pressed);

    device->SetButton(SDL_CONTROLLER_BUTTON_X, false);
    EXPECT_NE(Read().packetNumber, pressed);
}

TEST_F(GamepadWithVirtualPad, PressesBetweenTwoReadingsShowInTheNextOnly)
{
    PlugInAndPickUp();
    // SDL's driver sees the press and the release between two readings, as it does for a quick tap on a real pad.
    const auto tap = [this](auto set, auto down, auto up)
    {
        set(down);
        SDL_JoystickUpdate();
        set(up);
    };
    tap([this](bool down) { device->SetButton(SDL_CONTROLLER_BUTTON_A, down); }, true, false);
    tap([this](Sint16 value) { device->SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, value); }, SDL_JOYSTICK_AXIS_MAX,
        SDL_JOYSTICK_AXIS_MIN);
    tap([this](bool down) { device->SetButton(SDL_CONTROLLER_BUTTON_START, down); }, true, false);
    device->SetButton(SDL_CONTROLLER_BUTTON_B, true); // held across both readings

    const GamepadState tapped = Read();
    EXPECT_EQ(tapped.buttons, buttonA | buttonStart | buttonB);
    EXPECT_EQ(tapped.rightTrigger, 255);
    EXPECT_EQ(tapped.leftTrigger, 0);

    const GamepadState after = Read();
    EXPECT_EQ(after.buttons, buttonB);
    EXPECT_EQ(after.rightTrigger, 0);
}

TEST_F(GamepadWithVirtualPad, VibrationDrivesMatchingMotors)
{
    PlugInAndPickUp();

    ASSERT_EQ(pad.SetState(GamepadVibration{0xFFFF, 0x7FFF}), GamepadResult::Success);
    ASSERT_FALSE(device->rumbles.empty());
    EXPECT_EQ(device->rumbles.back().low, 0xFFFF);
    EXPECT_EQ(device->rumbles.back().high, 0x7FFF);

    ASSERT_EQ(pad.SetState(GamepadVibration{0, 0xFFFF}), GamepadResult::Success);
    EXPECT_EQ(device->rumbles.back().low, 0);
    EXPECT_EQ(device->rumbles.back().high, 0xFFFF);

    ASSERT_EQ(pad.SetState(GamepadVibration{}), GamepadResult::Success);
    EXPECT_EQ(device->rumbles.back().low, 0);
    EXPECT_EQ(device->rumbles.back().high, 0);
}

TEST_F(GamepadWithVirtualPad, PadWithoutMotorsStillAcceptsVibration)
{
    PlugInAndPickUp(false);
    EXPECT_EQ(pad.SetState(GamepadVibration{0xFFFF, 0xFFFF}), GamepadResult::Success);
}

} // namespace
} // namespace kesto::gamepad
