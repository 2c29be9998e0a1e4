#pragma once

#include "engine/ISystem.h"
#include "input/ControllerCode.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kesto
{

class ControllerInputManager;
class PCInputManager;

// The kind of binding that satisfied a query.
enum class InputSource : std::uint8_t
{
    None, // nothing satisfied it
    Key,
    MouseButton,
    Controller,
};

// Named actions ("Jump", "Pause", "leftClick", ...) bound to keyboard/mouse codes and controller codes, and which
// device the player is using. Keyboard and mouse bindings are always consulted first.
class MasterInputManager : public ISystem
{
public:
    using BindingMap = std::map<std::string, std::vector<int>, std::less<>>;

    // Without an asset root no key-binding file is read until a folder is given.
    MasterInputManager() = default;
    explicit MasterInputManager(std::string_view assetRoot);

    // Reads the key-binding file (none for an empty folder), then finds the keyboard/mouse and controller systems.
    // Bindings may be added before Init; other systems add theirs during their own Init.
    void Init() override;
    void Update(float) override {}

    // Appends a keyboard/mouse code (0..7 mouse buttons, 32..348 GLFW keys) unless the action already has it.
    void AddKeyBinding(std::string_view action, int code);
    // Appends a controller code (button mask or ControllerCode) unless the action already has it.
    void AddButtonBinding(std::string_view action, int code);
    void AddButtonBinding(std::string_view action, ControllerCode code);

    // Each query tests the action's keyboard/mouse codes in order, then its controller codes, and stops at the first
    // that passes: a keyboard/mouse pass clears usingController, a controller pass sets it. Unknown actions are false.
    bool IsActionHeld(std::string_view action);
    // Down now and not at the previous capture or poll.
    bool IsActionTriggered(std::string_view action);
    // The same query, answered with the kind of binding that was pressed (None when none was).
    InputSource ActionTriggeredBy(std::string_view action);
    // Up now and down at the previous capture or poll.
    bool IsActionReleased(std::string_view action);

    // usingController when set; otherwise asks the controller for pad activity and remembers the answer.
    bool IsControllerActive();

    BindingMap keyBindings;    // action -> keyboard/mouse codes, in the order added
    BindingMap buttonBindings; // action -> controller codes, in the order added
    bool usingController = false;
    std::string bindingFolder; // where "KeyBindings.json" is read at Init

private:
    enum class Edge
    {
        Held,
        Triggered,
        Released,
    };

    InputSource Query(std::string_view action, Edge edge);
    bool PassesKeyboardMouse(int code, Edge edge) const;
    bool PassesController(int code, Edge edge) const;

    PCInputManager* keyboardMouse = nullptr;      // found at Init
    ControllerInputManager* controller = nullptr; // found at Init
};

} // namespace kesto
