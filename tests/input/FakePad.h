#pragma once

#include "input/PadDevice.h"

#include <vector>

namespace kesto::test
{

// A pad driven by the test: plug it in or out and set its reading; every accepted motor command is kept.
class FakePad : public PadDevice
{
public:
    gamepad::GamepadResult GetState(gamepad::GamepadState& read) override
    {
        if (!connected)
        {
            read = {};
            return gamepad::GamepadResult::DeviceNotConnected;
        }
        read = state;
        return gamepad::GamepadResult::Success;
    }

    gamepad::GamepadResult SetState(const gamepad::GamepadVibration& vibration) override
    {
        if (!connected)
        {
            return gamepad::GamepadResult::DeviceNotConnected;
        }
        motorCommands.push_back(vibration);
        return gamepad::GamepadResult::Success;
    }

    bool connected = true;
    gamepad::GamepadState state;
    std::vector<gamepad::GamepadVibration> motorCommands;
};

} // namespace kesto::test
