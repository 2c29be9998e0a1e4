#include "gl/X11Taps.h"

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>
#include <X11/keysym.h>
#include <dlfcn.h>

namespace kesto::test
{
namespace
{

// The two XTest calls, from the run-time library (the test machine has no XTest development files).
struct XTest
{
    using FakeEvent = int (*)(Display*, unsigned int, int, unsigned long);

    XTest()
    {
        library = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
        if (library != nullptr)
        {
            fakeKey = reinterpret_cast<FakeEvent>(dlsym(library, "XTestFakeKeyEvent"));
            fakeButton = reinterpret_cast<FakeEvent>(dlsym(library, "XTestFakeButtonEvent"));
        }
    }
    ~XTest()
    {
        if (library != nullptr)
        {
            dlclose(library);
        }
    }
    XTest(const XTest&) = delete;
    XTest& operator=(const XTest&) = delete;

    void* library = nullptr;
    FakeEvent fakeKey = nullptr;
    FakeEvent fakeButton = nullptr;
};

XTest& Library()
{
    static XTest xtest;
    return xtest;
}

KeySym KeySymOf(int glfwKey)
{
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F12)
    {
        return XK_F1 + static_cast<KeySym>(glfwKey - GLFW_KEY_F1);
    }
    if (glfwKey >= GLFW_KEY_A && glfwKey <= GLFW_KEY_Z)
    {
        return XK_a + static_cast<KeySym>(glfwKey - GLFW_KEY_A);
    }
    return XK_space;
}

// Keys go to the focused window and buttons to the one under the pointer: make both this window.
Display* Focus(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    const Window target = glfwGetX11Window(window);
    XRaiseWindow(display, target);
    XSetInputFocus(display, target, RevertToParent, CurrentTime);
    XWarpPointer(display, 0, target, 0, 0, 0, 0, 10, 10);
    XSync(display, False);
    return display;
}

void Tap(Display* display, XTest::FakeEvent fake, unsigned int what)
{
    fake(display, what, True, 0);
    fake(display, what, False, 0);
    // Both events wait in the client's queue for the next pump.
    XSync(display, False);
}

} // namespace

bool CanTap() { return Library().fakeKey != nullptr && Library().fakeButton != nullptr; }

void TapKey(GLFWwindow* window, int glfwKey)
{
    Display* display = Focus(window);
    Tap(display, Library().fakeKey, XKeysymToKeycode(display, KeySymOf(glfwKey)));
}

void TapMouseButton(GLFWwindow* window, int glfwButton)
{
    // X numbers the buttons from 1 (left), then middle, then right.
    constexpr unsigned int xButtons[] = {1, 3, 2};
    Tap(Focus(window), Library().fakeButton, xButtons[glfwButton]);
}

} // namespace kesto::test
