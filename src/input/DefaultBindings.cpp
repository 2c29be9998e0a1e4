#include "input/DefaultBindings.h"

#include "gamepad/GamepadState.h"
#include "input/MasterInputManager.h"

#include <GLFW/glfw3.h>

namespace kesto
{

void AddPlayerBindings(MasterInputManager& bindings)
{
    bindings.AddKeyBinding("MoveLeft", GLFW_KEY_A);
    bindings.AddKeyBinding("MoveLeft", GLFW_KEY_LEFT);
    bindings.AddButtonBinding("MoveLeft", ControllerCode::LeftStickLeft);

    bindings.AddKeyBinding("MoveRight", GLFW_KEY_D);
    bindings.AddKeyBinding("MoveRight", GLFW_KEY_RIGHT);
    bindings.AddButtonBinding("MoveRight", ControllerCode::LeftStickRight);

    // With the move keys, these aim a dash started from the keyboard; the pad aims with its stick.
    bindings.AddKeyBinding("AimUp", GLFW_KEY_W);
    bindings.AddKeyBinding("AimUp", GLFW_KEY_UP);
    bindings.AddKeyBinding("AimDown", GLFW_KEY_S);
    bindings.AddKeyBinding("AimDown", GLFW_KEY_DOWN);

    bindings.AddKeyBinding("Jump", GLFW_KEY_SPACE);
    bindings.AddButtonBinding("Jump", gamepad::buttonA);

    bindings.AddKeyBinding("Dash", GLFW_MOUSE_BUTTON_LEFT);
    bindings.AddKeyBinding("Dash", GLFW_KEY_X);
    bindings.AddKeyBinding("Dash", GLFW_KEY_LEFT_SHIFT);
    bindings.AddButtonBinding("Dash", ControllerCode::RightTriggerFull);

    bindings.AddKeyBinding("SlowMo", GLFW_MOUSE_BUTTON_RIGHT);
    bindings.AddKeyBinding("SlowMo", GLFW_KEY_Z);
    bindings.AddKeyBinding("SlowMo", GLFW_KEY_LEFT_CONTROL);
    bindings.AddButtonBinding("SlowMo", ControllerCode::LeftTriggerFull);

    bindings.AddKeyBinding("Pause", GLFW_KEY_ESCAPE);
    bindings.AddButtonBinding("Pause", gamepad::buttonStart);
}

void AddClickBindings(MasterInputManager& bindings)
{
    bindings.AddKeyBinding("leftClick", GLFW_MOUSE_BUTTON_LEFT);
    bindings.AddKeyBinding("rightClick", GLFW_MOUSE_BUTTON_RIGHT);
}

} // namespace kesto
