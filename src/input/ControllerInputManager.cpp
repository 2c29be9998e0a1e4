#include "input/ControllerInputManager.h"

#include "engine/Trace.h"
#include "input/ControllerCode.h"
#include "input/GamepadLayerPad.h"

#include <array>
#include <string_view>
#include <utility>

namespace kesto
{

namespace
{

using enum ControllerCode;

// What counts as pad activity, in the order it is tested.
constexpr std::array<int, 22> activityCodes{
    gamepad::buttonDpadUp,
    gamepad::buttonDpadDown,
    gamepad::buttonDpadLeft,
    gamepad::buttonDpadRight,
    gamepad::buttonStart,
    gamepad::buttonBack,
    gamepad::buttonRightShoulder,
    gamepad::buttonRightThumb,
    gamepad::buttonLeftShoulder,
    gamepad::buttonLeftThumb,
    gamepad::buttonA,
    gamepad::buttonX,
    gamepad::buttonB,
    gamepad::buttonY,
    static_cast<int>(LeftTriggerFull),
    static_cast<int>(RightStickUp),
    static_cast<int>(RightStickLeft),
    static_cast<int>(RightStickRight),
    static_cast<int>(LeftStickUp),
    static_cast<int>(LeftStickDown),
    static_cast<int>(LeftStickRight),
    static_cast<int>(LeftStickLeft),
};

} // namespace

ControllerInputManager::ControllerInputManager() = default;

ControllerInputManager::ControllerInputManager(std::unique_ptr<PadDevice> device)
    : ownedPad(std::move(device)), pad(ownedPad.get())
{
}

ControllerInputManager::ControllerInputManager(PadDevice& device) : pad(&device) {}

ControllerInputManager::~ControllerInputManager() = default;

void ControllerInputManager::Init()
{
    if (pad)
    {
        return;
    }
    const SystemRegistry* owner = registry;
    ownedPad = std::make_unique<GamepadLayerPad>([owner](std::string_view message)
                                                 { TraceReport(owner, "INPUT", "", message); });
    pad = ownedPad.get();
}

void ControllerInputManager::Update(float dt)
{
    previous = current;
    anyInputCache = false;
    current = {};
    if (!pad || pad->GetState(current) != gamepad::GamepadResult::Success)
    {
        connected = false;
        current = {};
        return;
    }
    connected = true;
    if (rumbleTimer > 0.0f)
    {
        rumbleTimer -= dt;
        if (rumbleTimer <= 0.0f)
        {
            pad->SetState({});
            rumbleTimer = 0.0f;
        }
    }
}

bool ControllerInputManager::IsButtonDown(int code) const
{
    return connected && IsControllerCodeDown(current, code, deadZone);
}

bool ControllerInputManager::WasButtonDown(int code) const
{
    return connected && IsControllerCodeDown(edgesSuppressed ? current : previous, code, deadZone);
}

bool ControllerInputManager::AnyControllerInput()
{
    if (anyInputCache)
    {
        return true;
    }
    if (!connected)
    {
        return false;
    }
    for (const int code : activityCodes)
    {
        if (IsControllerCodeDown(current, code, deadZone))
        {
            anyInputCache = true;
            return true;
        }
    }
    return false;
}

void ControllerInputManager::Rumble(std::uint16_t leftMotorSpeed, std::uint16_t rightMotorSpeed, float seconds)
{
    if (pad)
    {
        pad->SetState({leftMotorSpeed, rightMotorSpeed});
    }
    rumbleTimer = seconds;
}

Vec2 ControllerInputManager::LeftStick() const
{
    return {static_cast<float>(current.thumbLX), static_cast<float>(current.thumbLY)};
}

} // namespace kesto
