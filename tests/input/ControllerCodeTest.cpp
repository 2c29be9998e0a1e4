#include "input/ControllerCode.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

constexpr int deadZone = 10000;

int Code(ControllerCode code) { return static_cast<int>(code); }

TEST(ControllerCode, ButtonMaskMatchesAnyOfItsBits)
{
    gamepad::GamepadState state;
    state.buttons = gamepad::buttonA | gamepad::buttonStart;
    EXPECT_TRUE(IsControllerCodeDown(state, gamepad::buttonA, deadZone));
    EXPECT_TRUE(IsControllerCodeDown(state, gamepad::buttonStart, deadZone));
    EXPECT_FALSE(IsControllerCodeDown(state, gamepad::buttonB, deadZone));
    EXPECT_TRUE(IsControllerCodeDown(state, gamepad::buttonB | gamepad::buttonA, deadZone));
    EXPECT_FALSE(IsControllerCodeDown(state, 0, deadZone));
}

TEST(ControllerCode, CodesBeyondSixteenBitsTestTheirLowHalf)
{
    gamepad::GamepadState state;
    state.buttons = gamepad::buttonA;
    EXPECT_TRUE(IsControllerCodeDown(state, 0x10000 | gamepad::buttonA, deadZone));
    EXPECT_FALSE(IsControllerCodeDown(state, 0x10000, deadZone));
}

TEST(ControllerCode, YButtonMaskIsNotMistakenForASpecialCode)
{
    gamepad::GamepadState state;
    state.buttons = gamepad::buttonY;
    EXPECT_TRUE(IsControllerCodeDown(state, gamepad::buttonY, deadZone));
    // 0x8001 is the right trigger, not Y plus D-pad up.
    EXPECT_FALSE(IsControllerCodeDown(state, Code(ControllerCode::RightTriggerFull), deadZone));
}

TEST(ControllerCode, TriggersCountOnlyWhenFullyPulled)
{
    gamepad::GamepadState state;
    state.rightTrigger = 254;
    state.leftTrigger = 128;
    EXPECT_FALSE(IsControllerCodeDown(state, Code(ControllerCode::RightTriggerFull), deadZone));
    EXPECT_FALSE(IsControllerCodeDown(state, Code(ControllerCode::LeftTriggerFull), deadZone));
    state.rightTrigger = 255;
    EXPECT_TRUE(IsControllerCodeDown(state, Code(ControllerCode::RightTriggerFull), deadZone));
    EXPECT_FALSE(IsControllerCodeDown(state, Code(ControllerCode::LeftTriggerFull), deadZone));
    state.leftTrigger = 255;
    EXPECT_TRUE(IsControllerCodeDown(state, Code(ControllerCode::LeftTriggerFull), deadZone));
}

TEST(ControllerCode, SticksAtExactlyTheDeadZoneDoNotCount)
{
    gamepad::GamepadState state;
    state.thumbLX = 10000;
    state.thumbLY = -10000;
    state.thumbRX = -10000;
    state.thumbRY = 10000;
    for (int code = Code(ControllerCode::RightStickUp); code <= Code(ControllerCode::LeftStickLeft); ++code)
    {
        EXPECT_FALSE(IsControllerCodeDown(state, code, deadZone)) << std::hex << code;
    }
}

TEST(ControllerCode, EachStickDirectionReadsItsOwnAxisAndSign)
{
    struct Case
    {
        ControllerCode code;
        std::int16_t gamepad::GamepadState::*axis;
        std::int16_t value;
    };
    const Case cases[] = {
        {ControllerCode::RightStickUp, &gamepad::GamepadState::thumbRY, 10001},
        {ControllerCode::RightStickDown, &gamepad::GamepadState::thumbRY, -10001},
        {ControllerCode::RightStickLeft, &gamepad::GamepadState::thumbRX, -10001},
        {ControllerCode::RightStickRight, &gamepad::GamepadState::thumbRX, 10001},
        {ControllerCode::LeftStickUp, &gamepad::GamepadState::thumbLY, 10001},
        {ControllerCode::LeftStickDown, &gamepad::GamepadState::thumbLY, -10001},
        {ControllerCode::LeftStickRight, &gamepad::GamepadState::thumbLX, 10001},
        {ControllerCode::LeftStickLeft, &gamepad::GamepadState::thumbLX, -10001},
    };
    for (const Case& tested : cases)
    {
        gamepad::GamepadState state;
        state.*tested.axis = tested.value;
        for (const Case& other : cases)
        {
            EXPECT_EQ(IsControllerCodeDown(state, Code(other.code), deadZone), &other == &tested)
                << "pushed " << std::hex << Code(tested.code) << ", asked " << Code(other.code);
        }
    }
}

TEST(ControllerCode, TheDeadZoneIsAParameter)
{
    gamepad::GamepadState state;
    state.thumbLX = 5000;
    EXPECT_FALSE(IsControllerCodeDown(state, Code(ControllerCode::LeftStickRight), 10000));
    EXPECT_TRUE(IsControllerCodeDown(state, Code(ControllerCode::LeftStickRight), 4999));
}

TEST(ControllerCode, FullDeflectionsCount)
{
    gamepad::GamepadState state;
    state.thumbLX = -32768;
    state.thumbRY = 32767;
    EXPECT_TRUE(IsControllerCodeDown(state, Code(ControllerCode::LeftStickLeft), deadZone));
    EXPECT_TRUE(IsControllerCodeDown(state, Code(ControllerCode::RightStickUp), deadZone));
}

} // namespace
} // namespace kesto
