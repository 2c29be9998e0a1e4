#include "ecs/Component.h"
#include "game/GameComponents.h"
#include "gl/GlWorld.h"
#include "graphics/WindowHandler.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_impl_glfw.h>
#include <imgui_impl_opengl3.h>

namespace kesto
{
namespace
{

// Dear ImGui on the test window with the GLFW and OpenGL 3 backends, as the editor will run it.
class InspectorDrawTest : public test::GlTest
{
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        context = ImGui::CreateContext();
        ImGui::GetIO().IniFilename = nullptr;
        // The engine keeps its own GLFW callbacks; the backend polls.
        ASSERT_TRUE(ImGui_ImplGlfw_InitForOpenGL(window.GetWindow(), false));
        ASSERT_TRUE(ImGui_ImplOpenGL3_Init("#version 330"));
    }

    void TearDown() override
    {
        ImGui_ImplOpenGL3_Shutdown();
        ImGui_ImplGlfw_Shutdown();
        ImGui::DestroyContext(context);
        GlTest::TearDown();
    }

    // Draws one frame of `component`'s inspector filling the window; what Inspect returned.
    bool DrawInspector(Component& component)
    {
        ImGui_ImplOpenGL3_NewFrame();
        ImGui_ImplGlfw_NewFrame();
        ImGui::NewFrame();
        ImGui::SetNextWindowPos({0.0f, 0.0f});
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin(component.TypeName());
        const bool changed = component.Inspect(&registry);
        ImGui::End();
        ImGui::Render();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, window.width, window.height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
        return changed;
    }

    ImGuiContext* context = nullptr;
};

TEST_F(InspectorDrawTest, EveryComponentsInspectorDrawsAFrameWithoutGlErrors)
{
    while (glGetError() != GL_NO_ERROR)
    {
    }
    for (int index = 0; index < componentTypeCount; ++index)
    {
        const std::unique_ptr<Component> component = NewGameComponent(index, "");
        ASSERT_NE(component, nullptr) << index;
        EXPECT_FALSE(DrawInspector(*component)) << component->TypeName() << " changed without input";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << component->TypeName();

        // The window and its title text are on screen: bright title text over the dark background.
        const test::Pixels pixels = Window();
        int bright = 0;
        for (int y = 0; y < 20; ++y)
        {
            for (int x = 0; x < pixels.width; ++x)
            {
                const test::Pixels::Color c = pixels.At(x, y);
                bright += c.r > 200 && c.g > 200 && c.b > 200 ? 1 : 0;
            }
        }
        EXPECT_GT(bright, 10) << component->TypeName() << "'s inspector window was not drawn";
        if (index == 0)
        {
            test::WritePng(KESTO_GL_OUTPUT "/inspector_transform.png", pixels);
        }
    }
}

} // namespace
} // namespace kesto
