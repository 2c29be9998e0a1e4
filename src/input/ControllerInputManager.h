#pragma once

#include "engine/ISystem.h"
#include "engine/Vector.h"
#include "input/PadDevice.h"

#include <cstdint>
#include <memory>

namespace kesto
{

// The gamepad: one pad polled once per frame, its current and previous readings, pad activity, and timed rumble.
// Pads plugged in or pulled out while running are picked up at the next poll.
class ControllerInputManager : public ISystem
{
public:
    // Reads the first connected pad through the gamepad layer, opened at Init with its failures sent to Trace.
    ControllerInputManager();
    // Reads the given pad instead (tests).
    explicit ControllerInputManager(std::unique_ptr<PadDevice> pad);
    // Reads a pad it does not own; the pad must outlive the manager.
    explicit ControllerInputManager(PadDevice& pad);
    ~ControllerInputManager() override;
    ControllerInputManager(const ControllerInputManager&) = delete;
    ControllerInputManager& operator=(const ControllerInputManager&) = delete;

    void Init() override;
    // The poll; dt counts the rumble down, and only while a pad is connected.
    void Update(float dt) override;

    // Result of the last poll.
    bool IsConnected() const { return connected; }
    // A controller code (button mask or ControllerCode) on the current reading; false when not connected.
    bool IsButtonDown(int code) const;
    // The same on the reading before it; while edges are suppressed, on the current reading.
    bool WasButtonDown(int code) const;
    // Whether the current reading shows any button, the left trigger fully pulled, or a stick past the dead zone
    // (the right trigger and right stick down do not count). A positive answer is remembered until the next poll.
    bool AnyControllerInput();

    // Runs the motors at these speeds (0..65535) and stops them once `seconds` of connected frames have passed.
    // Callers rumble only while a pad is connected and in use.
    void Rumble(std::uint16_t leftMotorSpeed, std::uint16_t rightMotorSpeed, float seconds);

    // The left stick of the current reading, in XInput axis units (y up); zero when not connected.
    Vec2 LeftStick() const;

    // While suppressed, the previous reading reads as the current one, so no code shows as pressed or released
    // (the second and later substeps of a frame).
    void SuppressEdges(bool suppressed) { edgesSuppressed = suppressed; }

    int deadZone = 10000;    // stick threshold of the stick codes, in XInput axis units
    bool vibrationOn = true; // the player's setting; rumble requests are ignored while it is off

private:
    std::unique_ptr<PadDevice> ownedPad; // the pad when this manager made or was given it
    PadDevice* pad = nullptr;            // null only between default construction and Init
    bool connected = false;
    gamepad::GamepadState previous;
    gamepad::GamepadState current;
    float rumbleTimer = 0.0f; // seconds left; 0 when no timed rumble runs
    bool anyInputCache = false;
    bool edgesSuppressed = false;
};

} // namespace kesto
