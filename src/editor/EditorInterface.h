#pragma once

#include "ecs/Entity.h"

#include <string>

struct GLFWwindow;
struct ImGuiContext;

namespace kesto
{

class EditorSession;

// The editor's Dear ImGui windows over the level view: the level list, the entity list of the level and its
// sublevels, the selected entity's components with their inspectors, and the menu of save, undo, redo and
// play-test. Owns the ImGui context and its GLFW and OpenGL 3 backends for the window's life.
class EditorInterface
{
public:
    // The window must have a current GL context and its engine callbacks installed (ImGui chains them).
    EditorInterface(GLFWwindow* window, EditorSession& session);
    ~EditorInterface();
    EditorInterface(const EditorInterface&) = delete;
    EditorInterface& operator=(const EditorInterface&) = delete;

    // One frame: the session's update, then every window, drawn over the frame about to be presented.
    void Frame();

private:
    void DrawMenuBar();
    void DrawLevelList();
    void DrawEntityList();
    void DrawInspector();
    void DrawDiscardQuestion();

    EditorSession& session;
    ImGuiContext* context = nullptr;
    Entity shownSelection = Entity::None(); // the selection the entity list last scrolled to
    std::string levelToOpen;                // waiting for the answer to the discard question
    int archetypeChoice = 0;
};

} // namespace kesto
