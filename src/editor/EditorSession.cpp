#include "editor/EditorSession.h"

#include "audio/Audio.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "ecs/Transform.h"
#include "editor/EditorSystem.h"
#include "editor/LevelFile.h"
#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/WindowHandler.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "ui/PauseSystem.h"
#include "ui/TimerSystem.h"

#include <GLFW/glfw3.h>
#include <set>

namespace kesto
{

namespace
{

constexpr const char* levelExtension = ".json";

RendererSystem& RendererOf(SystemRegistry& registry)
{
    return *registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
}

} // namespace

EditorSession::EditorSession(SystemRegistry& owner) : registry(owner) {}

EditorSystem& EditorSession::Editor() const
{
    return *registry.GetSystem<ECS>()->systemStore.GetSystem<EditorSystem>();
}

void EditorSession::Update(bool interfaceBusy)
{
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    if (playTest)
    {
        // The level may not be left while play-testing: its edits live only here until saved.
        if (!levels.nextLevel.empty())
        {
            levels.nextLevel == level ? RestartPlay() : StopPlay();
        }
    }
    else if (levels.loaded && levels.nextLevel.empty() && (openPending || levels.currentLevel != level))
    {
        TakeLoadedLevel();
    }
    HandleKeys();
    if (!playTest)
    {
        CommitPending(interfaceBusy);
    }
    registry.GetSystem<WindowHandler>()->SetTitle(Title());
}

void EditorSession::HandleKeys()
{
    const PCInputManager& input = *registry.GetSystem<PCInputManager>();
    if (input.IsKeyTriggered(GLFW_KEY_F9))
    {
        TogglePlayTest();
        return;
    }
    const bool control = input.IsKeyDown(GLFW_KEY_LEFT_CONTROL) || input.IsKeyDown(GLFW_KEY_RIGHT_CONTROL);
    const bool shift = input.IsKeyDown(GLFW_KEY_LEFT_SHIFT) || input.IsKeyDown(GLFW_KEY_RIGHT_SHIFT);
    if (playTest || !control || Editor().interfaceHasKeyboard)
    {
        return;
    }
    if (input.IsKeyTriggered(GLFW_KEY_S))
    {
        Save();
    }
    else if (input.IsKeyTriggered(GLFW_KEY_Z))
    {
        shift ? Redo() : Undo();
    }
    else if (input.IsKeyTriggered(GLFW_KEY_Y))
    {
        Redo();
    }
}

void EditorSession::TakeLoadedLevel()
{
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    openPending = false;
    level = levels.currentLevel;
    JsonReader reader;
    reader.Open(levels.folder, level + levelExtension, registry.GetSystem<Trace>());
    settings = ReadLevelSettings(reader);
    // Sublevels are edited with their level.
    levels.LoadListedSublevels();
    registry.GetSystem<ECS>()->SortRenderList();
    Editor().ClearSelection();
    history.Reset(CaptureLevel(registry, Entity::None()));
    saved = history.Current();
    committedEdits = Editor().EditCount();
    SyncUnsaved();
    message = "Opened " + level;
}

void EditorSession::OpenLevel(const std::string& name)
{
    if (playTest)
    {
        StopPlay();
    }
    registry.GetSystem<LevelManager>()->ChangeLevel(0.0f, 0.0f, name, 0.0f, ScreenTransition::Fade);
    openPending = true;
}

void EditorSession::CommitPending(bool interfaceBusy)
{
    EditorSystem& editor = Editor();
    if (editor.EditCount() == committedEdits || editor.IsDragging() || interfaceBusy)
    {
        return;
    }
    history.Push(CaptureLevel(registry, editor.Selection()));
    committedEdits = editor.EditCount();
    SyncUnsaved();
}

void EditorSession::SyncUnsaved()
{
    const bool unsaved = !history.IsAtSaved();
    registry.unsavedChanges = unsaved;
    registry.GetSystem<LevelManager>()->levelChanged = unsaved;
}

bool EditorSession::HasUnsavedChanges() const { return registry.unsavedChanges; }

void EditorSession::Restore(const LevelSnapshot& snapshot)
{
    EditorSystem& editor = Editor();
    editor.Select(RestoreLevel(registry, snapshot));
    committedEdits = editor.EditCount();
}

void EditorSession::Undo() { MoveThroughHistory(&EditHistory::Undo); }

void EditorSession::Redo() { MoveThroughHistory(&EditHistory::Redo); }

void EditorSession::MoveThroughHistory(const LevelSnapshot* (EditHistory::*step)())
{
    if (playTest || Editor().IsDragging())
    {
        return;
    }
    CommitPending(false);
    if (const LevelSnapshot* state = (history.*step)())
    {
        Restore(*state);
        SyncUnsaved();
    }
}

std::string EditorSession::WriteGroup(const std::string& name, const std::string& text)
{
    const std::string& folder = registry.GetSystem<LevelManager>()->folder;
    return WriteFileAtomically(AssetPath(folder + name + levelExtension), text, beforeRename);
}

bool EditorSession::Save()
{
    if (playTest || level.empty())
    {
        return false;
    }
    CommitPending(false);
    const LevelManager& levels = *registry.GetSystem<LevelManager>();
    const EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    const ArchetypeFactory& factory = *registry.GetSystem<ArchetypeFactory>();
    int skipped = 0;
    std::string error = WriteGroup(level, LevelText(&settings, store, factory, levels.levelEntities.at(0), &skipped));
    const LevelSnapshot& current = history.Current();
    std::set<std::string> written{level};
    for (std::size_t group = 1; error.empty() && group < current.groups.size(); ++group)
    {
        const std::string& name = current.sublevels.at(group - 1);
        const bool changed = group >= saved.groups.size() || saved.groups[group] != current.groups[group];
        if (changed && written.insert(name).second)
        {
            error = WriteGroup(name, current.groups[group]);
        }
    }
    if (!error.empty())
    {
        message = "Not saved: " + error;
        registry.GetSystem<Trace>()->Report("EDITOR", level, message);
        return false;
    }
    saved = current;
    history.MarkSaved();
    SyncUnsaved();
    message = "Saved " + level;
    if (skipped > 0)
    {
        message += " (" + std::to_string(skipped) + " entities named after no archetype were left out)";
    }
    return true;
}

Entity EditorSession::Spawn(const std::string& archetype)
{
    if (playTest)
    {
        return Entity::None();
    }
    const Entity entity = registry.GetSystem<LevelManager>()->SpawnInLevel(archetype);
    if (!entity.IsValid())
    {
        return entity;
    }
    if (auto* transform = registry.GetSystem<ECS>()->entityStore.GetComponent<Transform>(entity))
    {
        transform->SetTranslation(registry.GetSystem<Camera>()->GetPosition());
    }
    Editor().Select(entity);
    NoteEdit();
    return entity;
}

void EditorSession::AddComponent(const Entity& entity, int typeIndex)
{
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    if (playTest || store.HasComponent(entity, typeIndex))
    {
        return;
    }
    if (const std::unique_ptr<Component> fresh = store.NewComponent(typeIndex))
    {
        store.AddComponent(entity, *fresh, typeIndex);
        registry.GetSystem<ECS>()->SortRenderList();
        NoteEdit();
    }
}

void EditorSession::RemoveComponent(const Entity& entity, int typeIndex)
{
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    if (playTest || !store.HasComponent(entity, typeIndex))
    {
        return;
    }
    store.RemoveComponent(entity, typeIndex);
    bool left = false;
    for (int index = 0; index < componentTypeCount && !left; ++index)
    {
        left = store.HasComponent(entity, index);
    }
    if (!left)
    {
        Editor().ClearSelection();
        registry.GetSystem<LevelManager>()->RemoveFromLevel(entity);
    }
    NoteEdit();
}

void EditorSession::NoteEdit() { Editor().NoteEdit(); }

void EditorSession::TogglePlayTest()
{
    if (playTest)
    {
        StopPlay();
    }
    else if (!level.empty() && !Editor().IsDragging())
    {
        StartPlay();
    }
}

void EditorSession::StartPlay()
{
    CommitPending(false);
    Camera& camera = *registry.GetSystem<Camera>();
    RendererSystem& renderer = RendererOf(registry);
    playTest = PlayTest{CaptureLevel(registry, Editor().Selection()),
                        camera.GetPosition(),
                        camera.GetZoom(),
                        renderer.ambient,
                        renderer.depthScaling,
                        registry.unsavedChanges};
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    levels.editorModeAtStart = false;
    registry.GetSystem<ECS>()->SetEditorMode(false);
    RestartPlay();
    message = "Play-testing " + level + " (F9 returns to editing)";
}

void EditorSession::RestartPlay()
{
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    levels.nextLevel.clear();
    levels.holdTime = 0.0f;
    levels.EndLevelPlay();
    RendererOf(registry).clearColor = Vec3{};
    RendererOf(registry).fadingOut = false;
    registry.GetSystem<ECS>()->systemStore.GetSystem<PauseSystem>()->paused = false;
    RestoreLevel(registry, playTest->edited);
    ApplyLevelCamera();
}

void EditorSession::ApplyLevelCamera()
{
    // The game's own reading of the settings, so the view starts where the game's would.
    JsonWriter writer;
    WriteLevelSettings(writer, settings);
    JsonReader reader;
    reader.Parse(writer.Finish(), level, registry.GetSystem<Trace>());
    Camera& camera = *registry.GetSystem<Camera>();
    camera.Init();
    registry.GetSystem<LevelManager>()->ReadCamera(reader);
}

void EditorSession::StopPlay()
{
    const PlayTest play = *playTest;
    playTest.reset();
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    levels.nextLevel.clear();
    levels.holdTime = 0.0f;
    levels.editorModeAtStart = true;
    levels.EndLevelPlay();
    registry.GetSystem<ECS>()->systemStore.GetSystem<Audio>()->StopAllSounds();
    registry.GetSystem<TimerSystem>()->Clear();
    registry.GetSystem<ECS>()->systemStore.GetSystem<PauseSystem>()->paused = false;
    registry.freezeTime = 0.0f;
    RendererSystem& renderer = RendererOf(registry);
    renderer.fadingOut = false;
    renderer.transition = 0.0f;
    renderer.ambient = play.ambient;
    renderer.ambientTarget = play.ambient;
    renderer.ambientTimeLeft = 0.0f;
    renderer.depthScaling = play.depthScaling;
    renderer.clearColor = play.ambient * 0.5f;
    Restore(play.edited);
    Camera& camera = *registry.GetSystem<Camera>();
    camera.Init();
    camera.SetZoom(play.cameraZoom);
    camera.SetPosition(play.cameraPosition);
    registry.unsavedChanges = play.unsaved;
    levels.levelChanged = play.unsaved;
    message = "Back to editing " + level;
}

std::string EditorSession::Title() const
{
    std::string title = "Kesto Editor - " + (level.empty() ? std::string("no level") : level);
    if (HasUnsavedChanges())
    {
        title += " *";
    }
    if (playTest)
    {
        title += " (playing)";
    }
    return title;
}

} // namespace kesto
