#pragma once

#include "ecs/Entity.h"
#include "editor/EditHistory.h"
#include "editor/LevelSettings.h"
#include "engine/Vector.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kesto
{

class EditorSystem;
class SystemRegistry;

// The level being edited, around the editor system: which level is open and its settings, the history of edits
// (undo and redo), saving to the level's files, spawning, adding and removing components, and play-testing the
// edited level and coming back to exactly the edited state. Knows no window; the editor's windows drive it.
class EditorSession
{
public:
    // The registry must be initialised in editor mode; it must outlive the session.
    explicit EditorSession(SystemRegistry& registry);

    // Once per frame, while the frame is drawn: takes a newly loaded level, the keys (F9 play-test, Ctrl+S save,
    // Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z redo), and records a finished edit in the history. `interfaceBusy`: a
    // window widget is being dragged or typed in, so its edit is not finished yet.
    void Update(bool interfaceBusy = false);

    // Loads a level for editing, discarding unsaved edits; it is taken up by the Update after it loaded.
    void OpenLevel(const std::string& name);
    // Writes the level and every changed sublevel to their files; false when a file could not be written (the
    // message says which).
    bool Save();
    // Test seam: runs between writing a temporary file and renaming it over the level's file.
    std::function<void()> beforeRename;

    void Undo();
    void Redo();
    bool CanUndo() const { return !IsPlayTesting() && history.CanUndo(); }
    bool CanRedo() const { return !IsPlayTesting() && history.CanRedo(); }

    // Play mode on the edited level as it is now, or back to the edited state as it was before.
    void TogglePlayTest();
    bool IsPlayTesting() const { return playTest.has_value(); }

    // A new entity of the archetype at the camera's centre, selected.
    Entity Spawn(const std::string& archetype);
    // Gives the entity a default component of the type, or takes one away (an entity left with none is gone).
    void AddComponent(const Entity& entity, int typeIndex);
    void RemoveComponent(const Entity& entity, int typeIndex);
    // A window changed something of the selected entity.
    void NoteEdit();

    // The level being edited; empty until one has loaded.
    const std::string& Level() const { return level; }
    const LevelSettings& Settings() const { return settings; }
    bool HasUnsavedChanges() const;
    // "Kesto Editor - level", with " *" for unsaved changes and " (playing)" while play-testing.
    std::string Title() const;
    // The outcome of the last save or play-test, for the status line.
    const std::string& Message() const { return message; }
    const EditHistory& History() const { return history; }
    EditorSystem& Editor() const;
    SystemRegistry& Registry() const { return registry; }

private:
    struct PlayTest
    {
        LevelSnapshot edited;
        Vec2 cameraPosition;
        float cameraZoom = 0.0f;
        Vec3 ambient;
        float depthScaling = 0.0f;
        bool unsaved = false;
    };

    void TakeLoadedLevel();
    void HandleKeys();
    void CommitPending(bool interfaceBusy);
    void Restore(const LevelSnapshot& snapshot);
    // Undo or redo: `step` is the history's move; nothing while play-testing or dragging.
    void MoveThroughHistory(const LevelSnapshot* (EditHistory::*step)());
    void StartPlay();
    void StopPlay();
    // Starts play afresh from the edited state, as a restart of the level would.
    void RestartPlay();
    void ApplyLevelCamera();
    void SyncUnsaved();
    std::string WriteGroup(const std::string& name, const std::string& text);

    SystemRegistry& registry;
    std::string level;
    LevelSettings settings;
    EditHistory history;
    LevelSnapshot saved;              // what the files held at load or the last save
    std::uint64_t committedEdits = 0; // the editor's edit count the history has caught up with
    bool openPending = false;
    std::optional<PlayTest> playTest;
    std::string message;
};

} // namespace kesto
