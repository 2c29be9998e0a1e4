#include "input/MasterInputManager.h"

#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "input/ControllerInputManager.h"
#include "input/DefaultBindings.h"
#include "input/FakeKeyboardMouse.h"
#include "input/FakePad.h"
#include "input/PCInputManager.h"
#include "support/TestWorld.h"

#include <GLFW/glfw3.h>
#include <functional>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

// The headless engine with the game's default bindings added before Init and no binding file.
class MasterInputManagerTest : public ::testing::Test
{
protected:
    MasterInputManagerTest()
    {
        master->bindingFolder = "no/such/folder/";
        AddPlayerBindings(*master);
        AddClickBindings(*master);
        world.Init();
    }

    // One frame of the engine: the pad is polled before the bindings are used and the keyboard/mouse capture comes
    // last, as in the game.
    void Frame() { world.registry.StepFrame(time += 0.125f); }

    test::TestWorld world;
    Trace* trace = world.trace;
    test::FakePad* pad = world.pad;
    test::FakeKeyboardMouse* keys = world.keyboardMouse;
    MasterInputManager* master = world.registry.GetSystem<MasterInputManager>();
    float time = 1.0f;
};

TEST_F(MasterInputManagerTest, DefaultBindingsAreRegisteredInTableOrder)
{
    using Codes = std::vector<int>;
    EXPECT_EQ(master->keyBindings.at("MoveLeft"), (Codes{65, 263}));
    EXPECT_EQ(master->keyBindings.at("MoveRight"), (Codes{68, 262}));
    EXPECT_EQ(master->keyBindings.at("Jump"), (Codes{32}));
    EXPECT_EQ(master->keyBindings.at("AimUp"), (Codes{87, 265}));
    EXPECT_EQ(master->keyBindings.at("AimDown"), (Codes{83, 264}));
    EXPECT_EQ(master->keyBindings.at("Dash"), (Codes{0, 88, 340}));
    EXPECT_EQ(master->keyBindings.at("SlowMo"), (Codes{1, 90, 341}));
    EXPECT_EQ(master->keyBindings.at("Pause"), (Codes{256}));
    EXPECT_EQ(master->keyBindings.at("leftClick"), (Codes{0}));
    EXPECT_EQ(master->keyBindings.at("rightClick"), (Codes{1}));
    EXPECT_EQ(master->buttonBindings.at("MoveLeft"), (Codes{0x800A}));
    EXPECT_EQ(master->buttonBindings.at("MoveRight"), (Codes{0x8009}));
    EXPECT_EQ(master->buttonBindings.at("Jump"), (Codes{0x1000}));
    EXPECT_EQ(master->buttonBindings.at("Dash"), (Codes{0x8001}));
    EXPECT_EQ(master->buttonBindings.at("SlowMo"), (Codes{0x8002}));
    EXPECT_EQ(master->buttonBindings.at("Pause"), (Codes{0x0010}));
    EXPECT_FALSE(master->buttonBindings.contains("leftClick"));
    EXPECT_EQ(master->keyBindings.size(), 10u);
    EXPECT_EQ(master->buttonBindings.size(), 6u);
}

TEST_F(MasterInputManagerTest, TheSameCodeTwiceLeavesOneEntry)
{
    master->AddKeyBinding("Jump", GLFW_KEY_SPACE);
    master->AddKeyBinding("Jump", GLFW_KEY_UP);
    master->AddKeyBinding("Jump", GLFW_KEY_UP);
    master->AddButtonBinding("Jump", gamepad::buttonA);
    master->AddButtonBinding("Jump", ControllerCode::LeftStickUp);
    master->AddButtonBinding("Jump", static_cast<int>(ControllerCode::LeftStickUp));
    EXPECT_EQ(master->keyBindings.at("Jump"), (std::vector<int>{GLFW_KEY_SPACE, GLFW_KEY_UP}));
    EXPECT_EQ(master->buttonBindings.at("Jump"), (std::vector<int>{0x1000, 0x8007}));
}

TEST_F(MasterInputManagerTest, ReleasingAWhileLeftIsHeldIsAReleaseOfMoveLeft)
{
    keys->Press(GLFW_KEY_A);
    keys->Press(GLFW_KEY_LEFT);
    Frame();
    Frame();
    keys->Release(GLFW_KEY_A);
    Frame();
    EXPECT_TRUE(master->IsActionReleased("MoveLeft"));
    EXPECT_TRUE(master->IsActionHeld("MoveLeft"));
    EXPECT_FALSE(master->IsActionTriggered("MoveLeft"));
    Frame();
    EXPECT_FALSE(master->IsActionReleased("MoveLeft"));
    EXPECT_TRUE(master->IsActionHeld("MoveLeft"));
}

TEST_F(MasterInputManagerTest, KeyboardEdgesLastOneFrame)
{
    keys->Press(GLFW_KEY_SPACE);
    Frame();
    EXPECT_TRUE(master->IsActionTriggered("Jump"));
    EXPECT_TRUE(master->IsActionHeld("Jump"));
    Frame();
    EXPECT_FALSE(master->IsActionTriggered("Jump"));
    EXPECT_TRUE(master->IsActionHeld("Jump"));
    keys->Release(GLFW_KEY_SPACE);
    Frame();
    EXPECT_TRUE(master->IsActionReleased("Jump"));
    EXPECT_FALSE(master->IsActionHeld("Jump"));
    Frame();
    EXPECT_FALSE(master->IsActionReleased("Jump"));
}

TEST_F(MasterInputManagerTest, ALeftClickSatisfiesDashAndLeftClickInTheSameFrame)
{
    keys->Press(GLFW_MOUSE_BUTTON_LEFT);
    Frame();
    EXPECT_TRUE(master->IsActionTriggered("Dash"));
    EXPECT_TRUE(master->IsActionTriggered("leftClick"));
    EXPECT_FALSE(master->IsActionTriggered("rightClick"));
}

TEST_F(MasterInputManagerTest, ATriggeredActionSaysWhichKindOfBindingPressedIt)
{
    pad->connected = true;
    struct Case
    {
        const char* name;
        std::function<void(bool down)> set;
        InputSource expected;
    };
    const Case cases[] = {
        {"left mouse button", [&](bool down) { down ? keys->Press(0) : keys->Release(0); }, InputSource::MouseButton},
        {"X", [&](bool down) { down ? keys->Press(GLFW_KEY_X) : keys->Release(GLFW_KEY_X); }, InputSource::Key},
        {"left shift", [&](bool down) { down ? keys->Press(GLFW_KEY_LEFT_SHIFT) : keys->Release(GLFW_KEY_LEFT_SHIFT); },
         InputSource::Key},
        {"right trigger", [&](bool down) { pad->state.rightTrigger = down ? 255 : 0; }, InputSource::Controller},
    };
    for (const Case& c : cases)
    {
        c.set(true);
        Frame();
        EXPECT_EQ(master->ActionTriggeredBy("Dash"), c.expected) << c.name;
        EXPECT_EQ(master->usingController, c.expected == InputSource::Controller) << c.name;
        Frame();
        EXPECT_EQ(master->ActionTriggeredBy("Dash"), InputSource::None) << c.name << " held";
        c.set(false);
        Frame();
    }
}

TEST_F(MasterInputManagerTest, PadEdgesFollowThePolls)
{
    pad->connected = true;
    Frame();
    pad->state.buttons = gamepad::buttonA;
    Frame();
    EXPECT_TRUE(master->IsActionTriggered("Jump"));
    EXPECT_TRUE(master->usingController);
    Frame();
    EXPECT_FALSE(master->IsActionTriggered("Jump"));
    EXPECT_TRUE(master->IsActionHeld("Jump"));
    pad->state.buttons = 0;
    Frame();
    EXPECT_TRUE(master->IsActionReleased("Jump"));
    EXPECT_FALSE(master->IsActionHeld("Jump"));
}

TEST_F(MasterInputManagerTest, APartialRightTriggerIsNoDash)
{
    pad->connected = true;
    pad->state.rightTrigger = 254;
    Frame();
    EXPECT_FALSE(master->IsActionHeld("Dash"));
    EXPECT_FALSE(master->usingController);
    pad->state.rightTrigger = 255;
    Frame();
    EXPECT_TRUE(master->IsActionTriggered("Dash"));
    EXPECT_TRUE(master->usingController);
}

TEST_F(MasterInputManagerTest, AStickAtExactlyTheDeadZoneDoesNotMove)
{
    pad->connected = true;
    pad->state.thumbLX = 10000;
    Frame();
    EXPECT_FALSE(master->IsActionHeld("MoveRight"));
    pad->state.thumbLX = -10000;
    Frame();
    EXPECT_FALSE(master->IsActionHeld("MoveLeft"));
    pad->state.thumbLX = -10001;
    Frame();
    EXPECT_TRUE(master->IsActionHeld("MoveLeft"));
}

TEST_F(MasterInputManagerTest, OnlyAKeyboardBoundQueryHandsTheGameBackToTheKeyboard)
{
    pad->connected = true;
    pad->state.buttons = gamepad::buttonStart;
    Frame();
    EXPECT_TRUE(master->IsActionTriggered("Pause"));
    EXPECT_TRUE(master->usingController);

    pad->state.buttons = 0;
    keys->Press(GLFW_KEY_Q); // bound to nothing
    keys->cursor = {10.0, 10.0};
    Frame();
    EXPECT_FALSE(master->IsActionTriggered("Jump"));
    EXPECT_TRUE(master->usingController);
    EXPECT_TRUE(master->IsControllerActive());

    keys->Press(GLFW_KEY_D);
    Frame();
    EXPECT_TRUE(master->IsActionHeld("MoveRight"));
    EXPECT_FALSE(master->usingController);
}

TEST_F(MasterInputManagerTest, KeyboardBindingsAreConsultedFirst)
{
    pad->connected = true;
    pad->state.buttons = gamepad::buttonA;
    keys->Press(GLFW_KEY_SPACE);
    Frame();
    master->usingController = true;
    EXPECT_TRUE(master->IsActionTriggered("Jump"));
    EXPECT_FALSE(master->usingController);
}

TEST_F(MasterInputManagerTest, UnknownActionsAreNeverSatisfied)
{
    keys->Press(GLFW_KEY_SPACE);
    master->usingController = true;
    Frame();
    EXPECT_FALSE(master->IsActionHeld("Fly"));
    EXPECT_FALSE(master->IsActionTriggered("Fly"));
    EXPECT_FALSE(master->IsActionReleased("Fly"));
    EXPECT_FALSE(master->IsActionHeld(""));
    EXPECT_TRUE(master->usingController);
    EXPECT_FALSE(master->keyBindings.contains("Fly"));
}

TEST_F(MasterInputManagerTest, WithoutAPadControllerBindingsAreNeverSatisfied)
{
    pad->state.buttons = gamepad::buttonA;
    Frame();
    Frame();
    EXPECT_FALSE(master->IsActionHeld("Jump"));
    EXPECT_FALSE(master->IsActionReleased("Jump"));
    EXPECT_FALSE(master->IsControllerActive());
}

TEST_F(MasterInputManagerTest, ControllerActiveFollowsPadActivityAndStaysAfterUnplugging)
{
    pad->connected = true;
    Frame();
    EXPECT_FALSE(master->IsControllerActive());
    pad->state.thumbLY = 30000;
    Frame();
    EXPECT_TRUE(master->IsControllerActive());
    EXPECT_TRUE(master->usingController);
    pad->connected = false;
    Frame();
    EXPECT_TRUE(master->IsControllerActive());
}

TEST_F(MasterInputManagerTest, AFullRightTriggerIsNoActivityButDashStillSwitchesToThePad)
{
    pad->connected = true;
    pad->state.rightTrigger = 255;
    Frame();
    EXPECT_FALSE(master->IsControllerActive());
    EXPECT_TRUE(master->IsActionHeld("Dash"));
    EXPECT_TRUE(master->IsControllerActive());
}

TEST_F(MasterInputManagerTest, AMissingBindingFileAddsNothingAndIsNotReported)
{
    EXPECT_EQ(trace->Text(), "");
    EXPECT_FALSE(master->keyBindings.contains(""));
}

TEST(MasterInputManager, InitNeedsBothDeviceSystems)
{
    SystemRegistry registry;
    auto trace = std::make_unique<Trace>();
    trace->echo = nullptr;
    registry.Register(std::move(trace));
    auto master = std::make_unique<MasterInputManager>();
    master->bindingFolder = "no/such/folder/";
    registry.Register(std::move(master));
    registry.Register(std::make_unique<PCInputManager>(std::make_unique<test::FakeKeyboardMouse>()));
    EXPECT_THROW(registry.InitAll(), MissingSystemError);
}

} // namespace
} // namespace kesto
