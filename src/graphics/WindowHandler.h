#pragma once

#include "engine/ISystem.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct GLFWwindow;
struct GLFWcursor;

namespace kesto
{

// Thrown by Init when there is no window to draw in (no display, or no OpenGL 3.3 core context).
class WindowError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// How the window starts; the game uses the defaults.
struct WindowDef
{
    bool fullscreen = true; // on the primary monitor at its current mode
    int width = 0;          // windowed size in pixels; 0 takes the monitor's
    int height = 0;
};

// Owns the one window and its OpenGL context: fullscreen and windowed modes (F11), icon and cursor, and turning a
// close request into the end of the main loop (asking first when there are unsaved changes).
class WindowHandler : public ISystem
{
public:
    // Answers the quit question; true means quit.
    using QuitQuestion = std::function<bool()>;

    // Headless: Init makes no window and no GL context, and the handler stays a stand-in of 800 x 800 pixels.
    WindowHandler() = default;
    // A window as `windowDef` says, with the icon and cursor from under the asset root (none when it is empty).
    WindowHandler(const WindowDef& windowDef, std::string_view assetRoot);
    // Terminates GLFW, which destroys the window and the cursor.
    ~WindowHandler() override;
    WindowHandler(const WindowHandler&) = delete;
    WindowHandler& operator=(const WindowHandler&) = delete;

    // Creates the window and context; throws WindowError naming what is missing when that is impossible. Does
    // nothing when headless.
    void Init() override;
    // The cursor hidden while the gamepad is in use, F11 toggling and close handling.
    void Update(float dt) override;

    // Headless, both only set the flag.
    void EnterFullscreen();
    // Windowed at the last windowed position, three quarters of the fullscreen size.
    void LeaveFullscreen();
    // Toggles on the frame the key goes down; holding it does nothing more.
    void HandleF11(bool down);
    // A close request (the window's close button, a menu's quit): ends the main loop unless there are unsaved
    // changes and the answer is No.
    void HandleCloseRequest();
    // Keeps the viewport, the camera and the renderer's scene target in step with the framebuffer.
    void OnFramebufferResize(int newWidth, int newHeight);
    // Vertical wheel steps, handed to the keyboard/mouse input.
    void HandleScroll(double steps);

    // The window's caption; headless, only remembered.
    void SetTitle(const std::string& text);
    const std::string& Title() const { return title; }

    // The game window; null until Init created it.
    GLFWwindow* GetWindow() const { return window; }

    GLFWwindow* window = nullptr;
    GLFWcursor* cursor = nullptr; // the custom arrow, also the input's current cursor; freed by GLFW at termination
    bool fullscreen = false;
    int width = 800; // framebuffer size in pixels
    int height = 800;
    int windowX = 100; // last windowed position
    int windowY = 100;
    QuitQuestion quitQuestion; // empty: asks with a Yes/No message box

private:
    void LoadIcon();
    void LoadCursor();
    void ApplyViewport();

    std::optional<WindowDef> def; // none: headless
    std::string iconPath;
    std::string cursorPath;
    std::string title = "Kesto";
    bool previousF11Down = false;
    bool glfwReady = false;
};

} // namespace kesto
