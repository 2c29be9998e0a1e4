#include "input/PCInputManager.h"

#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/WindowHandler.h"
#include "input/FakeKeyboardMouse.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace kesto
{
namespace
{

class PCInputManagerTest : public ::testing::Test
{
protected:
    PCInputManagerTest()
    {
        auto ownedDevice = std::make_unique<test::FakeKeyboardMouse>();
        device = ownedDevice.get();
        auto ownedInput = std::make_unique<PCInputManager>(std::move(ownedDevice));
        input = ownedInput.get();
        registry.Register(std::move(ownedInput));
        registry.InitAll();
    }

    // One frame of the keyboard/mouse system: the capture, then the event pump.
    void Frame() { input->Update(0.016f); }

    SystemRegistry registry;
    test::FakeKeyboardMouse* device = nullptr;
    PCInputManager* input = nullptr;
};

TEST_F(PCInputManagerTest, InitAttachesTheDevice)
{
    EXPECT_EQ(device->attachCount, 1);
    EXPECT_EQ(input->window, nullptr);
}

TEST_F(PCInputManagerTest, APressIsAnEdgeForExactlyOneFrame)
{
    device->Press(GLFW_KEY_SPACE);
    EXPECT_FALSE(input->IsKeyTriggered(GLFW_KEY_SPACE)); // not pumped yet
    Frame();
    EXPECT_TRUE(input->IsKeyDown(GLFW_KEY_SPACE));
    EXPECT_FALSE(input->WasKeyDown(GLFW_KEY_SPACE)); // recorded before the pump that delivered it
    EXPECT_TRUE(input->IsKeyTriggered(GLFW_KEY_SPACE));
    Frame();
    EXPECT_TRUE(input->IsKeyDown(GLFW_KEY_SPACE));
    EXPECT_TRUE(input->WasKeyDown(GLFW_KEY_SPACE));
    EXPECT_FALSE(input->IsKeyTriggered(GLFW_KEY_SPACE));
    EXPECT_FALSE(input->IsKeyReleased(GLFW_KEY_SPACE));
}

TEST_F(PCInputManagerTest, AReleaseIsAnEdgeForExactlyOneFrame)
{
    device->Press(GLFW_KEY_A);
    Frame();
    Frame();
    device->Release(GLFW_KEY_A);
    Frame();
    EXPECT_FALSE(input->IsKeyDown(GLFW_KEY_A));
    EXPECT_TRUE(input->IsKeyReleased(GLFW_KEY_A));
    Frame();
    EXPECT_FALSE(input->IsKeyReleased(GLFW_KEY_A));
    EXPECT_FALSE(input->WasKeyDown(GLFW_KEY_A));
}

TEST_F(PCInputManagerTest, ATapWithinOneFrameIsOnePressThenAReleaseWhateverTheDevice)
{
    // A 12 ms tap at 40 frames a second, of keys and of a mouse button.
    for (const int code : {GLFW_KEY_F6, GLFW_MOUSE_BUTTON_LEFT, GLFW_KEY_SPACE})
    {
        device->Tap(code);
        Frame();
        EXPECT_TRUE(input->IsKeyDown(code)) << code;
        EXPECT_TRUE(input->IsKeyTriggered(code)) << code;
        EXPECT_FALSE(input->IsKeyReleased(code)) << code;
        Frame();
        EXPECT_FALSE(input->IsKeyDown(code)) << code;
        EXPECT_FALSE(input->IsKeyTriggered(code)) << code;
        EXPECT_TRUE(input->IsKeyReleased(code)) << code;
        Frame();
        EXPECT_FALSE(input->IsKeyReleased(code)) << code;
        EXPECT_FALSE(input->WasKeyDown(code)) << code;
    }
}

TEST_F(PCInputManagerTest, MouseButtonsShareTheCodeSpace)
{
    device->Press(GLFW_MOUSE_BUTTON_LEFT);
    device->Press(GLFW_MOUSE_BUTTON_8);
    Frame();
    EXPECT_TRUE(input->IsKeyTriggered(GLFW_MOUSE_BUTTON_LEFT));
    EXPECT_TRUE(input->IsKeyTriggered(GLFW_MOUSE_BUTTON_8));
    Frame();
    EXPECT_TRUE(input->WasKeyDown(GLFW_MOUSE_BUTTON_LEFT));
    EXPECT_TRUE(input->WasKeyDown(GLFW_MOUSE_BUTTON_8));
    EXPECT_FALSE(input->WasKeyDown(GLFW_MOUSE_BUTTON_RIGHT));
}

TEST_F(PCInputManagerTest, EveryRecordedKeyRangeIsCaptured)
{
    const int keys[] = {GLFW_KEY_SPACE,        GLFW_KEY_APOSTROPHE, GLFW_KEY_COMMA,   GLFW_KEY_RIGHT_BRACKET,
                        GLFW_KEY_GRAVE_ACCENT, GLFW_KEY_WORLD_1,    GLFW_KEY_WORLD_2, GLFW_KEY_ESCAPE,
                        GLFW_KEY_F1,           GLFW_KEY_MENU};
    for (const int key : keys)
    {
        device->Press(key);
    }
    Frame();
    Frame();
    for (const int key : keys)
    {
        EXPECT_TRUE(input->WasKeyDown(key)) << key;
    }
}

TEST_F(PCInputManagerTest, CodesOutsideTheSpaceWereNeverDown)
{
    Frame();
    EXPECT_FALSE(input->WasKeyDown(-1));
    EXPECT_FALSE(input->WasKeyDown(349));
    EXPECT_FALSE(input->WasKeyDown(100000));
}

TEST_F(PCInputManagerTest, CaptureResetsScrollAndRecordsTheCursor)
{
    input->scroll = 3;
    device->cursor = {640.5, 360.25};
    Frame();
    EXPECT_EQ(input->scroll, 0);
    EXPECT_DOUBLE_EQ(input->cursorX, 640.5);
    EXPECT_DOUBLE_EQ(input->cursorY, 360.25);
}

TEST_F(PCInputManagerTest, ScrollAddsUpWholeStepsUntilTheNextCapture)
{
    struct Case
    {
        std::vector<double> received; // scroll callbacks within one pump
        int steps;
    };
    const double infinity = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {{1.0}, 1},
        {{1.0, 1.0, -3.0}, -1},
        // A touchpad's fractions add up instead of each being cut to nothing.
        {{0.4, 0.4, 0.4}, 1},
        {{0.6}, 0}, // what was left of the last case, 0.2, plus 0.6
        {{0.2}, 1},
        {{infinity, std::numeric_limits<double>::quiet_NaN(), 2.0}, 2},
        {{1e300}, 1000000},
    };
    for (const Case& c : cases)
    {
        Frame();
        for (const double steps : c.received)
        {
            input->AddScroll(steps);
        }
        EXPECT_EQ(input->scroll, c.steps) << c.received.front();
    }
    Frame();
    EXPECT_EQ(input->scroll, 0);
}

TEST_F(PCInputManagerTest, CaptureAppliesTheCurrentCursorThenPumpsOnce)
{
    Frame();
    ASSERT_EQ(device->appliedCursors.size(), 1u);
    EXPECT_EQ(device->appliedCursors.back(), nullptr);
    EXPECT_EQ(device->pollCount, 1);
    GLFWcursor* hand = device->StandardCursor(GLFW_HAND_CURSOR);
    input->currentCursor = hand;
    Frame();
    EXPECT_EQ(device->appliedCursors.back(), hand);
    EXPECT_EQ(device->pollCount, 2);
}

TEST_F(PCInputManagerTest, SetCursorShapeCreatesOnceAndAppliesAtOnce)
{
    GLFWcursor* hand = input->SetCursorShape(GLFW_HAND_CURSOR);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(input->currentCursor, hand);
    ASSERT_FALSE(device->appliedCursors.empty());
    EXPECT_EQ(device->appliedCursors.back(), hand);

    GLFWcursor* beam = input->SetCursorShape(GLFW_IBEAM_CURSOR);
    EXPECT_NE(beam, hand);
    EXPECT_EQ(input->SetCursorShape(GLFW_HAND_CURSOR), hand);
    EXPECT_EQ(device->createdShapes, (std::vector<int>{GLFW_HAND_CURSOR, GLFW_IBEAM_CURSOR}));
    Frame();
    EXPECT_EQ(device->appliedCursors.back(), hand);
}

TEST_F(PCInputManagerTest, MousePositionInScreenUnitsIsReadFresh)
{
    device->cursor = {0.0, 0.0};
    Frame();
    device->cursor = {1920.0, 1080.0};
    const Vec2 position = input->GetMousePosition();
    EXPECT_FLOAT_EQ(position.x, 1920.0f / 1080.0f);
    EXPECT_FLOAT_EQ(position.y, -1.0f);
}

TEST_F(PCInputManagerTest, MousePositionInWorldUnitsUsesTheGivenCamera)
{
    device->cursor = {1000.0, 250.0};
    const Matrix3 projView = Matrix3::Scale({2.0f / 2000.0f, 2.0f / 1000.0f}) * Matrix3::Translation({-10.0f, -20.0f});
    const Vec2 world = input->GetMousePosition(projView, 1000.0f, 500.0f);
    EXPECT_NEAR(world.x, 10.0f + 1000.0f, 1e-2f);
    EXPECT_NEAR(world.y, 20.0f, 1e-2f);
}

TEST(PCInputManager, WithoutAWindowNothingIsDownAndTheCursorIsAtTheOrigin)
{
    SystemRegistry registry;
    registry.Register(std::make_unique<WindowHandler>());
    registry.Register(std::make_unique<PCInputManager>());
    // The window handler is registered but never initialised, so no window exists.
    PCInputManager* input = registry.GetSystem<PCInputManager>();
    input->Init();
    EXPECT_EQ(input->window, nullptr);
    input->scroll = 2;
    input->Update(0.016f);
    EXPECT_EQ(input->scroll, 0);
    EXPECT_FALSE(input->IsKeyDown(GLFW_KEY_SPACE));
    EXPECT_FALSE(input->IsKeyDown(GLFW_MOUSE_BUTTON_LEFT));
    EXPECT_FALSE(input->WasKeyDown(GLFW_KEY_SPACE));
    EXPECT_EQ(input->GetMousePosition(), Vec2{});
    EXPECT_EQ(input->SetCursorShape(GLFW_HAND_CURSOR), nullptr);
}

TEST(PCInputManager, TheGameDeviceNeedsTheWindowHandler)
{
    SystemRegistry registry;
    registry.Register(std::make_unique<PCInputManager>());
    EXPECT_THROW(registry.InitAll(), MissingSystemError);
}

} // namespace
} // namespace kesto
