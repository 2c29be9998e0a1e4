#include "graphics/WindowHandler.h"

#include "engine/Trace.h"
#include "gl/GlWorld.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace kesto
{
namespace
{

class WindowHandlerTest : public test::GlTest
{
protected:
    void TearDown() override
    {
        registry.running = true;
        registry.unsavedChanges = false;
        window.quitQuestion = nullptr;
        test::GlTest::TearDown();
    }
};

TEST_F(WindowHandlerTest, F11TogglesOncePerPressAndWindowedIsThreeQuartersOfTheMonitor)
{
    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    ASSERT_NE(mode, nullptr);
    window.HandleF11(true);
    EXPECT_TRUE(window.fullscreen);
    EXPECT_EQ(window.width, mode->width);
    EXPECT_EQ(window.height, mode->height);
    EXPECT_EQ(camera.GetScreenSize(), (Vec2{static_cast<float>(mode->width), static_cast<float>(mode->height)}));
    // Held down: nothing more.
    window.HandleF11(true);
    EXPECT_TRUE(window.fullscreen);
    window.HandleF11(false);
    window.HandleF11(true);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_EQ(window.width, static_cast<int>(0.75f * static_cast<float>(mode->width)));
    EXPECT_EQ(window.height, static_cast<int>(0.75f * static_cast<float>(mode->height)));
    EXPECT_EQ(camera.GetScreenSize(), (Vec2{static_cast<float>(window.width), static_cast<float>(window.height)}));
    // The scene target follows at the next frame.
    Frames(1);
    EXPECT_EQ(renderer.sceneTarget.width, window.width);
    EXPECT_EQ(renderer.sceneTarget.height, window.height);
}

TEST_F(WindowHandlerTest, MinimisedFramebufferChangesNothing)
{
    window.OnFramebufferResize(0, 0);
    EXPECT_EQ(window.width, test::GlWorld::width);
    EXPECT_EQ(camera.GetScreenSize(), (Vec2{320.0f, 180.0f}));
}

TEST_F(WindowHandlerTest, WindowedResizeUpdatesTheSizeCameraAndSceneTarget)
{
    window.OnFramebufferResize(200, 100);
    EXPECT_EQ(window.width, 200);
    EXPECT_EQ(window.height, 100);
    EXPECT_EQ(camera.GetAspect(), 2.0f);
    EXPECT_EQ(renderer.sceneTarget.width, 200);
    window.OnFramebufferResize(test::GlWorld::width, test::GlWorld::height);
}

TEST_F(WindowHandlerTest, CloseWithoutUnsavedChangesEndsTheLoopWithoutAsking)
{
    bool asked = false;
    window.quitQuestion = [&asked]
    {
        asked = true;
        return false;
    };
    glfwSetWindowShouldClose(window.window, GLFW_TRUE);
    window.Update(0.0f);
    EXPECT_FALSE(registry.running);
    EXPECT_FALSE(asked);
    EXPECT_FALSE(glfwWindowShouldClose(window.window));
}

TEST_F(WindowHandlerTest, AnsweringNoKeepsTheGameRunning)
{
    int asked = 0;
    window.quitQuestion = [&asked]
    {
        ++asked;
        return false;
    };
    registry.unsavedChanges = true;
    glfwSetWindowShouldClose(window.window, GLFW_TRUE);
    window.Update(0.0f);
    EXPECT_TRUE(registry.running);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(glfwWindowShouldClose(window.window));
    window.Update(0.0f);
    EXPECT_EQ(asked, 1);
}

TEST_F(WindowHandlerTest, AnsweringYesQuits)
{
    window.quitQuestion = [] { return true; };
    registry.unsavedChanges = true;
    glfwSetWindowShouldClose(window.window, GLFW_TRUE);
    window.Update(0.0f);
    EXPECT_FALSE(registry.running);
}

TEST_F(WindowHandlerTest, TheCustomCursorIsTheInputsCurrentCursorFromTheStart)
{
    const PCInputManager& input = *registry.GetSystem<PCInputManager>();
    ASSERT_NE(window.cursor, nullptr) << trace.Text();
    EXPECT_EQ(input.currentCursor, window.cursor);
}

TEST_F(WindowHandlerTest, TheCursorHidesWhileThePadIsInUse)
{
    MasterInputManager& actions = *registry.GetSystem<MasterInputManager>();
    for (const bool padInUse : {true, false, true, false})
    {
        actions.usingController = padInUse;
        window.Update(0.0f);
        EXPECT_EQ(glfwGetInputMode(window.window, GLFW_CURSOR), padInUse ? GLFW_CURSOR_HIDDEN : GLFW_CURSOR_NORMAL)
            << padInUse;
    }
}

TEST_F(WindowHandlerTest, WheelStepsReachTheKeyboardMouseInputForOneFrame)
{
    PCInputManager& input = *registry.GetSystem<PCInputManager>();
    // The callback the window installed, called as GLFW calls it during a pump.
    const GLFWscrollfun onScroll = glfwSetScrollCallback(window.window, nullptr);
    glfwSetScrollCallback(window.window, onScroll);
    ASSERT_NE(onScroll, nullptr);
    Frames(1);
    onScroll(window.window, 0.0, -2.0);
    onScroll(window.window, 0.0, 1.0);
    EXPECT_EQ(input.scroll, -1);
    Frames(1);
    EXPECT_EQ(input.scroll, 0);
}

TEST_F(WindowHandlerTest, ContextIsOpenGl33CoreOrLater)
{
    EXPECT_GE(glfwGetWindowAttrib(window.window, GLFW_CONTEXT_VERSION_MAJOR) * 10 +
                  glfwGetWindowAttrib(window.window, GLFW_CONTEXT_VERSION_MINOR),
              33);
    EXPECT_EQ(glfwGetWindowAttrib(window.window, GLFW_OPENGL_PROFILE), GLFW_OPENGL_CORE_PROFILE);
    EXPECT_TRUE(renderer.HasGl());
}

} // namespace
} // namespace kesto
