#include "graphics/WindowHandler.h"

#include "dialog/YesNoDialog.h"
#include "ecs/ECS.h"
#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "graphics/Image.h"
#include "graphics/RendererSystem.h"
#include "input/MasterInputManager.h"
#include "input/PCInputManager.h"

#include <GLFW/glfw3.h>
#include <epoxy/gl.h>
#include <string_view>

namespace kesto
{

namespace
{

std::string GlfwError()
{
    const char* description = nullptr;
    glfwGetError(&description);
    return description ? description : "no further detail";
}

WindowHandler& HandlerOf(GLFWwindow* window) { return *static_cast<WindowHandler*>(glfwGetWindowUserPointer(window)); }

void OnFramebufferSize(GLFWwindow* window, int width, int height)
{
    HandlerOf(window).OnFramebufferResize(width, height);
}

void OnScroll(GLFWwindow* window, double, double yOffset) { HandlerOf(window).HandleScroll(yOffset); }

void OnWindowPosition(GLFWwindow* window, int x, int y)
{
    WindowHandler& handler = HandlerOf(window);
    if (!handler.fullscreen)
    {
        handler.windowX = x;
        handler.windowY = y;
    }
}

} // namespace

WindowHandler::WindowHandler(const WindowDef& windowDef, std::string_view assetRoot)
    : def(windowDef), iconPath(UnderAssetRoot(assetRoot, "Art/Misc/IconN001.PNG")),
      cursorPath(UnderAssetRoot(assetRoot, "Art/UI/CursorN001.png"))
{
}

WindowHandler::~WindowHandler()
{
    if (glfwReady)
    {
        glfwTerminate();
    }
}

void WindowHandler::Init()
{
    if (!def)
    {
        return;
    }
    if (glfwInit() != GLFW_TRUE)
    {
        throw WindowError("no display: GLFW could not initialise (" + GlfwError() + ")");
    }
    glfwReady = true;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode)
    {
        throw WindowError("no monitor: GLFW found no primary monitor (" + GlfwError() + ")");
    }
    width = mode->width;
    height = mode->height;
    fullscreen = def->fullscreen;
    if (fullscreen)
    {
        window = glfwCreateWindow(width, height, title.c_str(), monitor, nullptr);
    }
    else
    {
        window = glfwCreateWindow(def->width > 0 ? def->width : width, def->height > 0 ? def->height : height,
                                  title.c_str(), nullptr, nullptr);
    }
    if (!window)
    {
        throw WindowError("no OpenGL 3.3 core context: the window could not be created (" + GlfwError() + ")");
    }
    if (!fullscreen)
    {
        glfwSetWindowPos(window, windowX, windowY);
    }
    LoadIcon();
    LoadCursor();
    glfwMakeContextCurrent(window);
    if (epoxy_gl_version() < 33)
    {
        throw WindowError("no OpenGL 3.3 core context: the driver offers only version " +
                          std::to_string(epoxy_gl_version() / 10) + "." + std::to_string(epoxy_gl_version() % 10));
    }
    glfwSwapInterval(1);
    glfwSetWindowUserPointer(window, this);
    glfwGetFramebufferSize(window, &width, &height);
    ApplyViewport();
    glfwSetFramebufferSizeCallback(window, OnFramebufferSize);
    glfwSetScrollCallback(window, OnScroll);
    glfwSetWindowPosCallback(window, OnWindowPosition);
    registry->SetFrameClock([] { return glfwGetTime(); });
}

void WindowHandler::LoadIcon()
{
    if (iconPath.empty())
    {
        return;
    }
    Image icon = Image::Decode(iconPath, false, 4);
    if (!icon.IsValid())
    {
        registry->GetSystem<Trace>()->Report("DATA", iconPath, "cannot decode the window icon: " + icon.failure);
        return;
    }
    const GLFWimage image{icon.width, icon.height, icon.Pixels()};
    glfwSetWindowIcon(window, 1, &image);
}

void WindowHandler::LoadCursor()
{
    if (cursorPath.empty())
    {
        return;
    }
    // Forced to RGBA, the only layout GLFW takes for cursors.
    Image arrow = Image::Decode(cursorPath, false, 4);
    if (!arrow.IsValid())
    {
        registry->GetSystem<Trace>()->Report("DATA", cursorPath, "cannot decode the cursor: " + arrow.failure);
        return;
    }
    const GLFWimage image{arrow.width, arrow.height, arrow.Pixels()};
    cursor = glfwCreateCursor(&image, static_cast<int>(0.17f * static_cast<float>(arrow.width)),
                              static_cast<int>(0.06f * static_cast<float>(arrow.height)));
    glfwSetCursor(window, cursor);
    // The keyboard/mouse input shows its current cursor at every capture; from now on that is this one.
    registry->GetSystem<PCInputManager>()->currentCursor = cursor;
}

void WindowHandler::Update(float)
{
    if (!window)
    {
        return;
    }
    const bool padInUse = registry->GetSystem<MasterInputManager>()->IsControllerActive();
    glfwSetInputMode(window, GLFW_CURSOR, padInUse ? GLFW_CURSOR_HIDDEN : GLFW_CURSOR_NORMAL);
    // Through the input system, which reads each key once per frame and so also sees a tap of F11.
    HandleF11(registry->GetSystem<PCInputManager>()->IsKeyDown(GLFW_KEY_F11));
    if (glfwWindowShouldClose(window))
    {
        HandleCloseRequest();
        // Cleared in every case so that a "No" keeps the game running.
        glfwSetWindowShouldClose(window, GLFW_FALSE);
    }
}

void WindowHandler::HandleF11(bool down)
{
    if (down && !previousF11Down)
    {
        if (fullscreen)
        {
            LeaveFullscreen();
        }
        else
        {
            EnterFullscreen();
        }
    }
    previousF11Down = down;
}

void WindowHandler::SetTitle(const std::string& text)
{
    if (text == title)
    {
        return;
    }
    title = text;
    if (window)
    {
        glfwSetWindowTitle(window, title.c_str());
    }
}

void WindowHandler::HandleCloseRequest()
{
    if (!registry->unsavedChanges)
    {
        registry->running = false;
        return;
    }
    bool quit = false;
    if (quitQuestion)
    {
        quit = quitQuestion();
    }
    else
    {
        Trace* trace = registry->GetSystem<Trace>();
        const auto report = [trace](std::string_view message) { trace->Report("WINDOW", "quit question", message); };
        quit = dialog::AskYesNo("Quit?", "Are you sure you want to quit? You have unsaved changes.", report) ==
               dialog::Answer::Yes;
    }
    if (quit)
    {
        registry->running = false;
    }
}

void WindowHandler::EnterFullscreen()
{
    fullscreen = true;
    // Headless there is no monitor to fill; the flag is all there is.
    if (!window)
    {
        return;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    width = mode->width;
    height = mode->height;
    ApplyViewport();
}

void WindowHandler::LeaveFullscreen()
{
    if (!window)
    {
        fullscreen = false;
        return;
    }
    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    glfwSetWindowMonitor(window, nullptr, windowX, windowY, static_cast<int>(0.75f * static_cast<float>(width)),
                         static_cast<int>(0.75f * static_cast<float>(height)), mode->refreshRate);
    glfwGetFramebufferSize(window, &width, &height);
    ApplyViewport();
    fullscreen = false;
}

void WindowHandler::HandleScroll(double steps) { registry->GetSystem<PCInputManager>()->AddScroll(steps); }

void WindowHandler::OnFramebufferResize(int newWidth, int newHeight)
{
    if (newWidth == 0 || newHeight == 0)
    {
        return;
    }
    glViewport(0, 0, newWidth, newHeight);
    registry->GetSystem<Camera>()->SetScreenSize(static_cast<float>(newWidth), static_cast<float>(newHeight));
    registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>()->ResizeSceneTarget(newWidth, newHeight);
    if (!fullscreen)
    {
        width = newWidth;
        height = newHeight;
    }
}

void WindowHandler::ApplyViewport()
{
    glViewport(0, 0, width, height);
    registry->GetSystem<Camera>()->SetScreenSize(static_cast<float>(width), static_cast<float>(height));
}

} // namespace kesto
