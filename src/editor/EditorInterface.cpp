#include "editor/EditorInterface.h"

#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "editor/EditorSession.h"
#include "editor/EditorSystem.h"
#include "engine/SystemRegistry.h"
#include "levels/LevelManager.h"

#include <imgui.h>
#include <imgui_impl_glfw.h>
#include <imgui_impl_opengl3.h>
#include <vector>

namespace kesto
{

namespace
{

constexpr float sideWidth = 300.0f;
constexpr float inspectorWidth = 420.0f;
constexpr const char* discardQuestion = "Discard unsaved changes?";

} // namespace

EditorInterface::EditorInterface(GLFWwindow* window, EditorSession& editorSession)
    : session(editorSession), context(ImGui::CreateContext())
{
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGui_ImplGlfw_InitForOpenGL(window, true);
    ImGui_ImplOpenGL3_Init("#version 330");
}

EditorInterface::~EditorInterface()
{
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext(context);
}

void EditorInterface::Frame()
{
    session.Update(ImGui::IsAnyItemActive());
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplGlfw_NewFrame();
    ImGui::NewFrame();
    DrawMenuBar();
    if (!session.IsPlayTesting())
    {
        DrawLevelList();
        DrawEntityList();
        DrawInspector();
    }
    DrawDiscardQuestion();
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    EditorSystem& editor = session.Editor();
    const ImGuiIO& io = ImGui::GetIO();
    editor.interfaceHasMouse = io.WantCaptureMouse;
    editor.interfaceHasKeyboard = io.WantCaptureKeyboard;
}

void EditorInterface::DrawMenuBar()
{
    if (!ImGui::BeginMainMenuBar())
    {
        return;
    }
    const bool playing = session.IsPlayTesting();
    if (ImGui::BeginMenu("File"))
    {
        if (ImGui::MenuItem("Save", "Ctrl+S", false, !playing && !session.Level().empty()))
        {
            session.Save();
        }
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("Edit"))
    {
        if (ImGui::MenuItem("Undo", "Ctrl+Z", false, session.CanUndo()))
        {
            session.Undo();
        }
        if (ImGui::MenuItem("Redo", "Ctrl+Y", false, session.CanRedo()))
        {
            session.Redo();
        }
        ImGui::EndMenu();
    }
    if (ImGui::MenuItem(playing ? "Stop (F9)" : "Play (F9)"))
    {
        session.TogglePlayTest();
    }
    ImGui::Separator();
    ImGui::TextUnformatted(session.Title().c_str());
    ImGui::Separator();
    ImGui::TextUnformatted(session.Message().c_str());
    ImGui::EndMainMenuBar();
}

void EditorInterface::DrawLevelList()
{
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const float top = ImGui::GetFrameHeight();
    ImGui::SetNextWindowPos({0.0f, top}, ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize({sideWidth, (display.y - top) * 0.3f}, ImGuiCond_FirstUseEver);
    if (ImGui::Begin("Levels"))
    {
        SystemRegistry& registry = session.Registry();
        for (const std::string& name : registry.GetSystem<LevelManager>()->ListLevels(true))
        {
            if (ImGui::Selectable(name.c_str(), name == session.Level()))
            {
                if (session.HasUnsavedChanges())
                {
                    levelToOpen = name;
                }
                else
                {
                    session.OpenLevel(name);
                }
            }
        }
    }
    ImGui::End();
}

void EditorInterface::DrawDiscardQuestion()
{
    if (!levelToOpen.empty() && !ImGui::IsPopupOpen(discardQuestion))
    {
        ImGui::OpenPopup(discardQuestion);
    }
    if (!ImGui::BeginPopupModal(discardQuestion, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
    {
        return;
    }
    ImGui::Text("\"%s\" has unsaved changes. Open \"%s\" anyway?", session.Level().c_str(), levelToOpen.c_str());
    if (ImGui::Button("Discard and open"))
    {
        session.OpenLevel(levelToOpen);
        levelToOpen.clear();
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel"))
    {
        levelToOpen.clear();
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

void EditorInterface::DrawEntityList()
{
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const float top = ImGui::GetFrameHeight() + (display.y - ImGui::GetFrameHeight()) * 0.3f;
    ImGui::SetNextWindowPos({0.0f, top}, ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize({sideWidth, display.y - top}, ImGuiCond_FirstUseEver);
    if (!ImGui::Begin("Entities"))
    {
        ImGui::End();
        return;
    }
    SystemRegistry& registry = session.Registry();
    const std::vector<std::string> archetypes = ArchetypeNames(&registry);
    if (!archetypes.empty())
    {
        archetypeChoice = std::min(archetypeChoice, static_cast<int>(archetypes.size()) - 1);
        ImGui::SetNextItemWidth(sideWidth * 0.55f);
        if (ImGui::BeginCombo("##archetype", archetypes[static_cast<std::size_t>(archetypeChoice)].c_str()))
        {
            for (int i = 0; i < static_cast<int>(archetypes.size()); ++i)
            {
                if (ImGui::Selectable(archetypes[static_cast<std::size_t>(i)].c_str(), i == archetypeChoice))
                {
                    archetypeChoice = i;
                }
            }
            ImGui::EndCombo();
        }
        ImGui::SameLine();
        if (ImGui::Button("Spawn at centre"))
        {
            session.Spawn(archetypes[static_cast<std::size_t>(archetypeChoice)]);
        }
    }
    ImGui::Separator();
    EditorSystem& editor = session.Editor();
    const Entity selection = editor.Selection();
    const bool scrollToSelection = !(selection == shownSelection);
    shownSelection = selection;
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    for (std::size_t group = 0; group < levels.levelEntities.size(); ++group)
    {
        const std::string title = group == 0                            ? session.Level()
                                  : group - 1 < levels.sublevels.size() ? "Sublevel " + levels.sublevels[group - 1]
                                                                        : "Sublevel";
        ImGui::PushID(static_cast<int>(group));
        if (ImGui::CollapsingHeader(title.c_str(), ImGuiTreeNodeFlags_DefaultOpen))
        {
            for (const Entity& entity : levels.levelEntities[group])
            {
                const std::string label = entity.name + "##" + std::to_string(entity.id);
                const bool selected = entity == selection;
                if (ImGui::Selectable(label.c_str(), selected))
                {
                    editor.Select(entity);
                    shownSelection = entity;
                }
                if (selected && scrollToSelection)
                {
                    ImGui::SetScrollHereY();
                }
            }
        }
        ImGui::PopID();
    }
    ImGui::End();
}

void EditorInterface::DrawInspector()
{
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const float top = ImGui::GetFrameHeight();
    ImGui::SetNextWindowPos({display.x - inspectorWidth, top}, ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize({inspectorWidth, display.y - top}, ImGuiCond_FirstUseEver);
    if (!ImGui::Begin("Inspector"))
    {
        ImGui::End();
        return;
    }
    SystemRegistry& registry = session.Registry();
    const Entity selection = session.Editor().Selection();
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    if (!selection.IsValid())
    {
        ImGui::TextUnformatted("Click an entity, or pick one from the list.");
        ImGui::End();
        return;
    }
    ImGui::Text("%s (id %u)", selection.name.c_str(), selection.id);
    for (int index = 0; index < componentTypeCount; ++index)
    {
        Component* component = store.GetComponent(selection, index);
        if (!component)
        {
            continue;
        }
        ImGui::PushID(index);
        if (ImGui::CollapsingHeader(component->TypeName(), ImGuiTreeNodeFlags_DefaultOpen))
        {
            if (component->Inspect(&registry))
            {
                session.NoteEdit();
            }
            if (ImGui::SmallButton("Remove component"))
            {
                session.RemoveComponent(selection, index);
            }
        }
        ImGui::PopID();
        if (!session.Editor().Selection().IsValid())
        {
            break;
        }
    }
    if (session.Editor().Selection().IsValid() && ImGui::BeginCombo("Add component", "..."))
    {
        for (int index = 0; index < componentTypeCount; ++index)
        {
            if (!store.HasComponent(selection, index) && ImGui::Selectable(ComponentTypeName(index)))
            {
                session.AddComponent(selection, index);
            }
        }
        ImGui::EndCombo();
    }
    ImGui::End();
}

} // namespace kesto
