#pragma once

#include "ecs/Entity.h"
#include "engine/ISystem.h"
#include "graphics/ScreenTransition.h"

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kesto
{

class JsonReader;
class SystemRegistry;

// Loads levels and sublevels and runs the fades between them. Owns the lists of entities that belong to the
// current level (group 0) and to each sublevel (group k for the k-th), so a level change destroys exactly those.
// Requested changes take effect in this system's update, after every component system of the frame.
class LevelManager : public ISystem
{
public:
    // Without an asset root no level is read until a folder is given.
    LevelManager() = default;
    // `startLevel`, when not empty, is loaded first instead of the level default.txt names.
    explicit LevelManager(std::string_view assetRoot, std::string startLevel = {});
    // Destroys every entity of every group.
    ~LevelManager() override;
    LevelManager(const LevelManager&) = delete;
    LevelManager& operator=(const LevelManager&) = delete;

    // Requests firstLevel, or when that is empty (or names no level, which is reported) the level named on the first
    // line of folder + "default.txt"; none for an empty folder.
    void Init() override;
    // The level state machine: fade out, unload, hold, load, fade in.
    void Update(float dt) override;

    // Requests a change; a second request for the level already pending is ignored. Without a fade-out and a
    // hold the change happens at the next update. A level that is not in the folder is reported (once per name)
    // and ignored: the current level stays and nothing fades. Lengths outside 0 s..an hour (or undefined) are
    // reported and clamped, so a bad value from data cannot stall the change or the music's fade clock.
    void ChangeLevel(float fadeOutLength, float fadeInLength, const std::string& level, float holdTime,
                     ScreenTransition transition);
    // Loads folder + name + ".json" as the next sublevel group (a name may be loaded twice).
    void AddSublevel(const std::string& name);
    // Destroys the first sublevel of that name; later groups move down. The name must be loaded (callers check).
    void RemoveSublevel(const std::string& name);
    // The level names in the folder: its ".json" files without the extension.
    std::vector<std::string> ListLevels(bool sorted) const;
    // Files an entity spawned while playing under the level, so the next level change destroys it.
    void AddToLevel(const Entity& entity);
    // Creates an archetype's entity and files it under the level; Entity::None() for an empty or unknown name (the
    // factory reports unknown names).
    Entity SpawnInLevel(const std::string& archetype);
    // Files an entity in the same group as `beside` (group 0 when `beside` is in none).
    void AddBeside(const Entity& entity, const Entity& beside);
    // Forgets an entity that is about to be destroyed by its owner.
    void RemoveFromLevel(const Entity& entity);
    // Loads every sublevel the level lists as groups 1, 2, ... (the level's own load does so in play mode only).
    void LoadListedSublevels();
    // In editor mode a change to the level's content: marks the level changed and the registry's unsaved changes.
    void MarkChanged();
    // Destroys every entity of every group and leaves one empty group 0.
    void UnloadLevel();
    // Leaves the level as a change does, short of forgetting it is loaded: destroys its entities, stops its music and
    // sounds, resets the time scale and screen effects, and restores the editor mode found at start.
    void EndLevelPlay();
    // Applies a level's "Camera" settings (the reader's current object holds them, or not) to the camera.
    void ReadCamera(JsonReader& reader);

    std::vector<std::vector<Entity>> levelEntities; // group 0 = level, group k = k-th sublevel
    std::string currentLevel;
    std::string nextLevel; // empty when no change is pending
    bool levelChanged = false;
    std::vector<std::string> sublevels; // sublevel k is sublevels[k - 1]
    bool canPause = false;
    bool editorModeAtStart = false;
    float fadeInLength = 0.0f; // seconds, of the pending change
    float holdTime = 0.0f;     // seconds of black between unloading and loading; counts down
    ScreenTransition transitionType = ScreenTransition::Fade; // drawn by the renderer
    bool loaded = false;                                      // a level is loaded and no unload has happened since
    float zoom = 1600.0f;                                     // the level's "Zoom" as read

    std::string folder; // where levels and default.txt are
    // Called with the level's name as it starts loading, before its entities are made (replays seed their random
    // sources there); may be empty.
    std::function<void(const std::string&)> beforeLoad;
    std::string firstLevel; // started instead of default.txt's level when not empty

private:
    // ChangeLevel without the check that the level exists.
    void Request(float fadeOutLength, float fadeInLength, const std::string& level, float holdTime,
                 ScreenTransition transition);
    // The level Init starts: firstLevel when it exists, else default.txt's first line.
    std::string StartLevel();
    bool FadeFinished() const;
    void Unload();
    void Load();
    void ReadSettings(JsonReader& reader);
    void ReadLighting(JsonReader& reader);
    void LoadEntities(JsonReader& reader, std::size_t group);
    void DestroyGroup(const std::vector<Entity>& group);

    std::set<std::string, std::less<>> reportedMissing; // requested level names already reported as missing
};

// The level names of the registry's level manager, sorted; none without one. Feeds the level combos of the
// inspectors.
std::vector<std::string> LevelNames(SystemRegistry* registry);

} // namespace kesto
