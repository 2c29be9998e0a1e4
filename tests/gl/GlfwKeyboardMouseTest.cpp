#include "input/GlfwKeyboardMouse.h"

#include "gl/GlWorld.h"
#include "gl/X11Taps.h"
#include "graphics/WindowHandler.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class GlfwKeyboardMouseTest : public test::GlTest
{
protected:
    PCInputManager& input = *registry.GetSystem<PCInputManager>();
    MasterInputManager& actions = *registry.GetSystem<MasterInputManager>();
};

TEST_F(GlfwKeyboardMouseTest, ATapBetweenTwoFramesIsOnePressThenARelease)
{
    if (!test::CanTap())
    {
        GTEST_SKIP() << "XTest is not available to send events";
    }
    struct Case
    {
        int code;
        const char* action; // bound to the code, or null
    };
    // Pressed and released within one event pump, as a 12 ms tap at 40 frames a second is.
    for (const Case c : {Case{GLFW_KEY_F6, nullptr}, Case{GLFW_MOUSE_BUTTON_LEFT, "Dash"}})
    {
        Frames(1);
        ASSERT_FALSE(input.IsKeyDown(c.code)) << c.code;
        if (c.code == GLFW_MOUSE_BUTTON_LEFT)
        {
            test::TapMouseButton(window.window, c.code);
        }
        else
        {
            test::TapKey(window.window, c.code);
        }
        Frames(1);
        EXPECT_TRUE(input.IsKeyTriggered(c.code)) << c.code;
        // Every reader in the frame sees the same press, however often it asks.
        EXPECT_TRUE(input.IsKeyTriggered(c.code)) << c.code;
        if (c.action != nullptr)
        {
            EXPECT_TRUE(actions.IsActionTriggered(c.action)) << c.action;
        }
        Frames(1);
        EXPECT_FALSE(input.IsKeyDown(c.code)) << c.code;
        EXPECT_TRUE(input.IsKeyReleased(c.code)) << c.code;
        Frames(1);
        EXPECT_FALSE(input.IsKeyReleased(c.code)) << c.code;
    }
}

} // namespace
} // namespace kesto
