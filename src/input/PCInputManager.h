#pragma once

#include "engine/ISystem.h"
#include "engine/Matrix3.h"
#include "engine/Vector.h"
#include "input/KeyboardMouseCodes.h"
#include "input/KeyboardMouseDevice.h"

#include <bitset>
#include <memory>

namespace kesto
{

// Keyboard and mouse. Each update records which codes are down and where the cursor is, applies the current cursor
// and only then pumps the window's events, so until the next update the live state is one pump ahead of the
// record: a press shows as an edge for exactly one frame. A tap that begins and ends within one pump reads down
// for the frame after it and released for the frame after that. Codes: 0..7 mouse buttons, 32..348 GLFW keys.
class PCInputManager : public ISystem
{
public:
    // Reads the game window through GLFW.
    PCInputManager();
    // Reads the given device instead (tests).
    explicit PCInputManager(std::unique_ptr<KeyboardMouseDevice> device);
    // Reads a device it does not own; the device must outlive the manager.
    explicit PCInputManager(KeyboardMouseDevice& device);
    ~PCInputManager() override;
    PCInputManager(const PCInputManager&) = delete;
    PCInputManager& operator=(const PCInputManager&) = delete;

    // Connects the device to the window (WindowHandler must be registered for the GLFW device).
    void Init() override;
    // The capture: record codes and cursor, reset scroll, apply the cursor, pump events.
    void Update(float dt) override;

    // Down at the last capture; while edges are suppressed, down now.
    bool WasKeyDown(int code) const;
    // Down now (live state).
    bool IsKeyDown(int code) const;
    // Press edge: down now, not at the last capture.
    bool IsKeyTriggered(int code) const;
    // Release edge: up now, down at the last capture.
    bool IsKeyReleased(int code) const;

    // The cursor is somewhere else now than at the last capture.
    bool HasCursorMoved() const;
    // A fresh cursor reading in screen units: -aspect..aspect across, -1..1 up, origin at the window centre.
    Vec2 GetMousePosition() const;
    // A fresh cursor reading in world units, through the camera's world-to-screen matrix and the screen size in
    // pixels that the camera keeps.
    Vec2 GetMousePosition(const Matrix3& cameraProjView, float cameraScreenWidth, float cameraScreenHeight) const;

    // Makes the GLFW standard cursor of `shape` current (created once, then reused) and shows it at once.
    GLFWcursor* SetCursorShape(int shape);

    // While suppressed, the last capture reads as the live state, so no code shows as pressed or released: the
    // second and later substeps of a frame see what is held, but not the frame's presses and releases again.
    void SuppressEdges(bool suppressed) { edgesSuppressed = suppressed; }

    // Vertical wheel or touchpad movement from the window's scroll callback; whole steps go to `scroll`, fractions
    // are kept until they add up to one.
    void AddScroll(double steps);

    int scroll = 0;                      // vertical scroll steps of this frame, up positive; reset at each capture
    GLFWcursor* currentCursor = nullptr; // shown at every capture; null is the system arrow; never owned here
    GLFWwindow* window = nullptr;        // the device's window, set at Init; null without one
    double cursorX = 0.0;                // window pixels at the last capture, origin top-left
    double cursorY = 0.0;                // likewise, y down

private:
    static constexpr double maxScrollSteps = 1000000.0; // bounds a runaway device's steps within an int

    std::unique_ptr<KeyboardMouseDevice> ownedDevice; // the device when this manager made or was given it
    KeyboardMouseDevice* device = nullptr;            // never null
    std::bitset<keyboardMouseCodeCount> captured;
    double scrollRemainder = 0.0; // fraction of a step not yet in `scroll`
    bool edgesSuppressed = false;
};

} // namespace kesto
