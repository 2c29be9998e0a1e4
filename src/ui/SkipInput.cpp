#include "ui/SkipInput.h"

#include "engine/SystemRegistry.h"
#include "gamepad/GamepadState.h"
#include "input/ControllerInputManager.h"
#include "input/PCInputManager.h"

#include <GLFW/glfw3.h>

namespace kesto
{

bool IsSkipPressed(SystemRegistry& registry)
{
    const PCInputManager& keys = *registry.GetSystem<PCInputManager>();
    for (int code : {GLFW_MOUSE_BUTTON_LEFT, GLFW_MOUSE_BUTTON_RIGHT, GLFW_KEY_ENTER, GLFW_KEY_SPACE, GLFW_KEY_ESCAPE})
    {
        if (keys.IsKeyTriggered(code))
        {
            return true;
        }
    }
    // A pad that is not connected reads as nothing held.
    const ControllerInputManager& pad = *registry.GetSystem<ControllerInputManager>();
    for (int button : {gamepad::buttonA, gamepad::buttonStart})
    {
        if (pad.IsButtonDown(button) && !pad.WasButtonDown(button))
        {
            return true;
        }
    }
    return false;
}

} // namespace kesto
