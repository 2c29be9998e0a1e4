#pragma once

struct GLFWwindow;

namespace kesto::test
{

// Presses and releases keys and mouse buttons on a window through the X server (XTest), as a user's devices
// would, so GLFW receives real events. XTest is loaded at run time; without it nothing can be sent.
bool CanTap();
// Focuses the window and queues a press and a release of the GLFW key (F keys, space and letters) or mouse button
// (0..2) at the X server, so the next event pump delivers both.
void TapKey(GLFWwindow* window, int glfwKey);
void TapMouseButton(GLFWwindow* window, int glfwButton);

} // namespace kesto::test
