#include "input/ControllerInputManager.h"

#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "input/ControllerCode.h"
#include "input/FakePad.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class ControllerInputManagerTest : public ::testing::Test
{
protected:
    ControllerInputManagerTest()
    {
        auto ownedPad = std::make_unique<test::FakePad>();
        pad = ownedPad.get();
        controller = std::make_unique<ControllerInputManager>(std::move(ownedPad));
        controller->Init();
    }

    void Poll(float dt = 0.125f) { controller->Update(dt); }

    test::FakePad* pad = nullptr;
    std::unique_ptr<ControllerInputManager> controller;
};

constexpr int rightTriggerFull = static_cast<int>(ControllerCode::RightTriggerFull);

TEST_F(ControllerInputManagerTest, NothingIsDownBeforeTheFirstPoll)
{
    pad->state.buttons = gamepad::buttonA;
    EXPECT_FALSE(controller->IsConnected());
    EXPECT_FALSE(controller->IsButtonDown(gamepad::buttonA));
    EXPECT_FALSE(controller->AnyControllerInput());
}

TEST_F(ControllerInputManagerTest, KeepsTheCurrentAndPreviousReadings)
{
    pad->state.buttons = gamepad::buttonA;
    Poll();
    EXPECT_TRUE(controller->IsConnected());
    EXPECT_TRUE(controller->IsButtonDown(gamepad::buttonA));
    EXPECT_FALSE(controller->WasButtonDown(gamepad::buttonA));
    Poll();
    EXPECT_TRUE(controller->WasButtonDown(gamepad::buttonA));
    pad->state.buttons = 0;
    Poll();
    EXPECT_FALSE(controller->IsButtonDown(gamepad::buttonA));
    EXPECT_TRUE(controller->WasButtonDown(gamepad::buttonA));
}

TEST_F(ControllerInputManagerTest, UnpluggedPadReadsAsNothingDown)
{
    pad->state.buttons = gamepad::buttonA;
    Poll();
    pad->connected = false;
    Poll();
    EXPECT_FALSE(controller->IsConnected());
    EXPECT_FALSE(controller->IsButtonDown(gamepad::buttonA));
    EXPECT_FALSE(controller->WasButtonDown(gamepad::buttonA)); // the previous reading had A, but no pad is there
    EXPECT_FALSE(controller->AnyControllerInput());
}

TEST_F(ControllerInputManagerTest, APadPluggedInIsPickedUpAtTheNextPoll)
{
    pad->connected = false;
    Poll();
    EXPECT_FALSE(controller->IsConnected());
    pad->connected = true;
    pad->state.buttons = gamepad::buttonStart;
    EXPECT_FALSE(controller->IsConnected());
    Poll();
    EXPECT_TRUE(controller->IsConnected());
    EXPECT_TRUE(controller->IsButtonDown(gamepad::buttonStart));
    // The reading taken while unplugged was all zero, so the press is an edge.
    EXPECT_FALSE(controller->WasButtonDown(gamepad::buttonStart));
}

TEST_F(ControllerInputManagerTest, StickExactlyAtTheDeadZoneIsNoActivity)
{
    pad->state.thumbLX = 10000;
    Poll();
    EXPECT_FALSE(controller->AnyControllerInput());
    pad->state.thumbLX = 10001;
    Poll();
    EXPECT_TRUE(controller->AnyControllerInput());
}

TEST_F(ControllerInputManagerTest, TheRightTriggerAndRightStickDownAreNoActivity)
{
    pad->state.rightTrigger = 255;
    pad->state.thumbRY = -32768;
    Poll();
    EXPECT_FALSE(controller->AnyControllerInput());
    // The codes themselves still read as down.
    EXPECT_TRUE(controller->IsButtonDown(rightTriggerFull));
    EXPECT_TRUE(controller->IsButtonDown(static_cast<int>(ControllerCode::RightStickDown)));
}

TEST_F(ControllerInputManagerTest, EveryButtonTheLeftTriggerAndOtherStickDirectionsAreActivity)
{
    const std::uint16_t buttons[] = {
        gamepad::buttonDpadUp,
        gamepad::buttonDpadDown,
        gamepad::buttonDpadLeft,
        gamepad::buttonDpadRight,
        gamepad::buttonStart,
        gamepad::buttonBack,
        gamepad::buttonLeftThumb,
        gamepad::buttonRightThumb,
        gamepad::buttonLeftShoulder,
        gamepad::buttonRightShoulder,
        gamepad::buttonA,
        gamepad::buttonB,
        gamepad::buttonX,
        gamepad::buttonY,
    };
    for (const std::uint16_t button : buttons)
    {
        pad->state = {};
        pad->state.buttons = button;
        Poll();
        EXPECT_TRUE(controller->AnyControllerInput()) << std::hex << button;
    }
    pad->state = {};
    pad->state.leftTrigger = 255;
    Poll();
    EXPECT_TRUE(controller->AnyControllerInput());
    pad->state = {};
    pad->state.thumbRY = 20000;
    Poll();
    EXPECT_TRUE(controller->AnyControllerInput());
    pad->state = {};
    pad->state.thumbLY = -20000;
    Poll();
    EXPECT_TRUE(controller->AnyControllerInput());
}

TEST_F(ControllerInputManagerTest, ActivityIsRememberedOnlyUntilTheNextPoll)
{
    pad->state.buttons = gamepad::buttonB;
    Poll();
    EXPECT_TRUE(controller->AnyControllerInput());
    EXPECT_TRUE(controller->AnyControllerInput());
    pad->state.buttons = 0;
    Poll();
    EXPECT_FALSE(controller->AnyControllerInput());
}

TEST_F(ControllerInputManagerTest, TheDeadZoneCanBeChanged)
{
    controller->deadZone = 20000;
    pad->state.thumbLX = 15000;
    Poll();
    EXPECT_FALSE(controller->IsButtonDown(static_cast<int>(ControllerCode::LeftStickRight)));
    EXPECT_FALSE(controller->AnyControllerInput());
}

TEST_F(ControllerInputManagerTest, RumbleSendsTheSpeedsAndStopsWhenItsTimeRunsOut)
{
    Poll();
    controller->Rumble(0x7FFF, 0, 0.25f);
    ASSERT_EQ(pad->motorCommands.size(), 1u);
    EXPECT_EQ(pad->motorCommands[0].leftMotorSpeed, 0x7FFF);
    EXPECT_EQ(pad->motorCommands[0].rightMotorSpeed, 0);
    Poll(0.125f);
    EXPECT_EQ(pad->motorCommands.size(), 1u);
    Poll(0.125f); // exactly at zero: stopped
    ASSERT_EQ(pad->motorCommands.size(), 2u);
    EXPECT_EQ(pad->motorCommands[1].leftMotorSpeed, 0);
    EXPECT_EQ(pad->motorCommands[1].rightMotorSpeed, 0);
    Poll(0.125f);
    EXPECT_EQ(pad->motorCommands.size(), 2u); // stopped once only
}

TEST_F(ControllerInputManagerTest, ANewRumbleRestartsTheTimer)
{
    Poll();
    controller->Rumble(0xFFFF, 0x7FFF, 0.25f);
    Poll(0.125f);
    controller->Rumble(0, 0xFFFF, 0.25f);
    Poll(0.125f);
    EXPECT_EQ(pad->motorCommands.size(), 2u);
    Poll(0.125f);
    ASSERT_EQ(pad->motorCommands.size(), 3u);
    EXPECT_EQ(pad->motorCommands[2].rightMotorSpeed, 0);
}

TEST_F(ControllerInputManagerTest, PausedFramesDoNotCountTheRumbleDown)
{
    Poll();
    controller->Rumble(0xFFFF, 0, 0.125f);
    Poll(0.0f);
    Poll(0.0f);
    EXPECT_EQ(pad->motorCommands.size(), 1u);
    Poll(0.125f);
    EXPECT_EQ(pad->motorCommands.size(), 2u);
}

TEST_F(ControllerInputManagerTest, UnpluggedWhileRumblingStopsOnlyAfterReconnectAndTheRemainingTime)
{
    Poll();
    controller->Rumble(0xFFFF, 0x7FFF, 0.25f);
    Poll(0.125f);
    pad->connected = false;
    Poll(0.125f);
    Poll(1.0f);
    pad->connected = true;
    Poll(0.0625f); // 0.0625 of the remaining 0.125 s
    EXPECT_EQ(pad->motorCommands.size(), 1u);
    Poll(0.0625f);
    ASSERT_EQ(pad->motorCommands.size(), 2u);
    EXPECT_EQ(pad->motorCommands[1].leftMotorSpeed, 0);
}

TEST(ControllerInputManager, TheGamePadWithoutAnyPadReadsAsDisconnected)
{
    SystemRegistry registry;
    auto trace = std::make_unique<Trace>();
    trace->echo = nullptr;
    registry.Register(std::move(trace));
    registry.Register(std::make_unique<ControllerInputManager>());
    registry.InitAll();
    registry.StepFrame(1.0f);
    ControllerInputManager* controller = registry.GetSystem<ControllerInputManager>();
    // The test machine has no game controller.
    EXPECT_FALSE(controller->IsConnected());
    EXPECT_FALSE(controller->IsButtonDown(gamepad::buttonA));
    EXPECT_FALSE(controller->AnyControllerInput());
}

} // namespace
} // namespace kesto
