#include "levels/LevelManager.h"

#include "audio/Audio.h"
#include "ecs/ArchetypeFactory.h"
#include "ecs/ECS.h"
#include "ecs/JsonReader.h"
#include "editor/EditorSystem.h"
#include "engine/AssetPath.h"
#include "engine/FreedMemory.h"
#include "engine/Seconds.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "ui/TimerSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace kesto
{

namespace
{

constexpr const char* levelExtension = ".json";
constexpr const char* mainMenu = "Main Menu";

RendererSystem& RendererOf(SystemRegistry& registry)
{
    return *registry.GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>();
}

Audio& AudioOf(SystemRegistry& registry) { return *registry.GetSystem<ECS>()->systemStore.GetSystem<Audio>(); }

} // namespace

LevelManager::~LevelManager()
{
    if (registry)
    {
        UnloadLevel();
    }
}

LevelManager::LevelManager(std::string_view assetRoot, std::string startLevel)
    : folder(UnderAssetRoot(assetRoot, "Data/Levels/")), firstLevel(std::move(startLevel))
{
}

void LevelManager::Init()
{
    editorModeAtStart = registry->GetSystem<ECS>()->systemStore.editorMode;
    levelChanged = false;
    registry->unsavedChanges = false;
    if (folder.empty())
    {
        return;
    }
    // Whatever default.txt names is loaded; a missing file makes an empty world.
    Request(0.0f, 0.0f, StartLevel(), 0.0f, ScreenTransition::Fade);
}

std::string LevelManager::StartLevel()
{
    if (!firstLevel.empty())
    {
        const std::vector<std::string> names = ListLevels(false);
        if (std::find(names.begin(), names.end(), firstLevel) != names.end())
        {
            return firstLevel;
        }
        registry->GetSystem<Trace>()->Report("DATA", folder + firstLevel + levelExtension,
                                             "no such level to start with; starting with default.txt's");
    }
    std::string first;
    std::ifstream file(AssetPath(folder + "default.txt"));
    if (!file || !std::getline(file, first))
    {
        registry->GetSystem<Trace>()->Report("DATA", folder + "default.txt",
                                             "cannot read the first level's name; starting with an empty world");
    }
    if (!first.empty() && first.back() == '\r')
    {
        first.pop_back();
    }
    return first;
}

void LevelManager::ChangeLevel(float fadeOutLength, float fadeIn, const std::string& level, float hold,
                               ScreenTransition transition)
{
    if (level == nextLevel)
    {
        return;
    }
    // A mistyped name would fade to black and leave the player in an empty world; without content (an empty
    // folder) there is nothing to check against.
    if (!folder.empty())
    {
        const std::vector<std::string> names = ListLevels(false);
        if (std::find(names.begin(), names.end(), level) == names.end())
        {
            if (reportedMissing.insert(level).second)
            {
                registry->GetSystem<Trace>()->Report("DATA", folder + level + levelExtension,
                                                     "no such level; the request to change to it is ignored");
            }
            return;
        }
    }
    Request(fadeOutLength, fadeIn, level, hold, transition);
}

void LevelManager::Request(float fadeOutLength, float fadeIn, const std::string& level, float hold,
                           ScreenTransition transition)
{
    if (level == nextLevel)
    {
        return;
    }
    const auto clamped = [this, &level](float& seconds, const char* what)
    {
        const float asked = seconds;
        if (!ClampSeconds(seconds))
        {
            registry->GetSystem<Trace>()->Report("LEVEL", level,
                                                 std::string(what) + " " + std::to_string(asked) +
                                                     " s is out of range; using " + std::to_string(seconds) + " s");
        }
    };
    clamped(fadeOutLength, "fade-out length");
    clamped(fadeIn, "fade-in length");
    clamped(hold, "hold time");
    nextLevel = level;
    fadeInLength = fadeIn;
    holdTime = hold;
    transitionType = transition;
    if (fadeOutLength == 0.0f && holdTime == 0.0f)
    {
        return;
    }
    RendererSystem& renderer = RendererOf(*registry);
    renderer.fadingOut = true;
    renderer.transitionDuration = fadeOutLength;
    renderer.transitionType = transition;
    Audio& audio = AudioOf(*registry);
    audio.FadeMusic(fadeOutLength, 0.0f);
    audio.FadeCinematic(fadeOutLength, 0.0f);
}

bool LevelManager::FadeFinished() const
{
    const RendererSystem& renderer = RendererOf(*registry);
    return renderer.fadingOut ? renderer.transition == 1.0f : renderer.transition == 0.0f;
}

void LevelManager::Update(float dt)
{
    const bool finished = FadeFinished();
    if (!nextLevel.empty() && loaded && finished)
    {
        Unload();
    }
    if (finished && holdTime > 0.0f)
    {
        holdTime -= dt;
        if (holdTime > 0.0f)
        {
            return;
        }
        holdTime = 0.0f;
    }
    else if (loaded)
    {
        return;
    }
    Load();
}

void LevelManager::Unload()
{
    EndLevelPlay();
    loaded = false;
    // Between two levels, when the most has just been freed.
    ReturnFreedMemory();
}

void LevelManager::EndLevelPlay()
{
    UnloadLevel();
    Audio& audio = AudioOf(*registry);
    audio.StopMusic(AudioStopMode::Immediate);
    // The main menu's sounds run on into the level it starts.
    if (currentLevel != mainMenu)
    {
        audio.StopAllSounds();
        audio.StopCinematicChannel();
    }
    audio.ResetGlobalParameters();
    audio.ReleaseAllInstances();
    ECS& ecs = *registry->GetSystem<ECS>();
    RendererSystem& renderer = RendererOf(*registry);
    // The recorded poses go with every unload, a restart included: poses of the run that ended would trail
    // from where the player died to where it starts again.
    renderer.ClearAfterimages();
    ecs.systemStore.GetSystem<EditorSystem>()->ClearSelection();
    registry->timeScale = 1.0f;
    renderer.crtOn = false;
    renderer.slowMotionOn = false;
    if (ecs.systemStore.editorMode != editorModeAtStart)
    {
        // A run timed while editing does not count.
        if (!editorModeAtStart)
        {
            registry->GetSystem<TimerSystem>()->Clear();
        }
        ecs.SetEditorMode(editorModeAtStart);
    }
}

void LevelManager::Load()
{
    currentLevel = nextLevel;
    nextLevel.clear();
    if (beforeLoad)
    {
        beforeLoad(currentLevel);
    }
    levelChanged = false;
    registry->unsavedChanges = false;
    RendererSystem& renderer = RendererOf(*registry);
    renderer.BeginLevel(currentLevel);
    renderer.fadingOut = false;
    renderer.transitionDuration = fadeInLength;
    renderer.transitionType = transitionType;
    Audio& audio = AudioOf(*registry);
    audio.RefreshMusicChannel();
    audio.RemoveAllFadePoints();

    JsonReader reader;
    // Without content there is no file to read: the level is empty, with default settings.
    if (!folder.empty())
    {
        reader.Open(folder, currentLevel + levelExtension, registry->GetSystem<Trace>());
    }
    ReadSettings(reader);
    LoadEntities(reader, 0);
    ECS& ecs = *registry->GetSystem<ECS>();
    if (!ecs.systemStore.editorMode)
    {
        LoadListedSublevels();
    }
    ecs.SortRenderList();
    loaded = true;
}

void LevelManager::ReadSettings(JsonReader& reader)
{
    ReadCamera(reader);
    ReadLighting(reader);
    sublevels.clear();
    reader.ReadSublevels(sublevels);
    canPause = true;
    if (reader.Enter("Other"))
    {
        reader.TryReadBool("CanPause", canPause);
        reader.Leave();
    }
}

void LevelManager::ReadCamera(JsonReader& reader)
{
    Camera& camera = *registry->GetSystem<Camera>();
    if (!reader.Enter("Camera"))
    {
        camera.Init();
        zoom = camera.GetZoom();
        return;
    }
    if (reader.Enter("Bounds"))
    {
        Vec2 range;
        if (reader.TryReadVec2("X", range))
        {
            camera.SetBoundsX(range);
        }
        if (reader.TryReadVec2("Y", range))
        {
            camera.SetBoundsY(range);
        }
        reader.Leave();
    }
    else
    {
        camera.ClearBounds();
    }
    float levelZoom = 0.0f;
    if (!reader.TryReadFloat("Zoom", levelZoom))
    {
        registry->GetSystem<Trace>()->Report("DATA", reader.Where(),
                                             "\"Camera\" has no \"Zoom\"; the view shrinks to the smallest zoom");
    }
    camera.SetZoom(levelZoom);
    zoom = levelZoom;
    Vec2 position;
    reader.TryReadVec2("Position", position);
    camera.SetPosition(camera.ClampToBounds(position));
    reader.Leave();
}

void LevelManager::ReadLighting(JsonReader& reader)
{
    Vec3 ambient{1.0f, 1.0f, 1.0f};
    float depthScaling = 1000.0f;
    if (reader.Enter("Lighting"))
    {
        reader.TryReadVec3("Ambient", ambient);
        reader.TryReadFloat("DepthScaling", depthScaling);
        reader.Leave();
    }
    RendererSystem& renderer = RendererOf(*registry);
    renderer.ambient = ambient;
    renderer.ambientTarget = ambient;
    renderer.ambientTimeLeft = 0.0f;
    if (registry->GetSystem<ECS>()->systemStore.editorMode)
    {
        renderer.clearColor = ambient * 0.5f;
    }
    renderer.depthScaling = std::max(0.0f, depthScaling);
}

void LevelManager::LoadEntities(JsonReader& reader, std::size_t group)
{
    if (levelEntities.size() < group + 1)
    {
        levelEntities.resize(group + 1);
    }
    ArchetypeFactory& factory = *registry->GetSystem<ArchetypeFactory>();
    while (reader.NextObjectMember("Archetype"))
    {
        const Entity entity = factory.CreateFromJSON(reader);
        if (entity.IsValid())
        {
            levelEntities[group].push_back(entity);
        }
    }
}

void LevelManager::LoadListedSublevels()
{
    for (std::size_t k = 0; k < sublevels.size(); ++k)
    {
        JsonReader sublevel;
        sublevel.Open(folder, sublevels[k] + levelExtension, registry->GetSystem<Trace>());
        LoadEntities(sublevel, k + 1);
    }
}

void LevelManager::AddSublevel(const std::string& name)
{
    sublevels.push_back(name);
    JsonReader reader;
    reader.Open(folder, name + levelExtension, registry->GetSystem<Trace>());
    LoadEntities(reader, sublevels.size());
    registry->GetSystem<ECS>()->SortRenderList();
}

void LevelManager::RemoveSublevel(const std::string& name)
{
    const auto found = std::find(sublevels.begin(), sublevels.end(), name);
    if (found == sublevels.end())
    {
        throw std::invalid_argument("LevelManager::RemoveSublevel: \"" + name + "\" is not a loaded sublevel");
    }
    const auto k = static_cast<std::size_t>(found - sublevels.begin()) + 1;
    sublevels.erase(found);
    if (k < levelEntities.size())
    {
        DestroyGroup(levelEntities[k]);
        levelEntities.erase(levelEntities.begin() + static_cast<std::ptrdiff_t>(k));
    }
}

std::vector<std::string> LevelManager::ListLevels(bool sorted) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(AssetPath(folder), error), end; !error && it != end;
         it.increment(error))
    {
        if (it->is_regular_file() && it->path().extension() == levelExtension)
        {
            names.push_back(it->path().stem().string());
        }
    }
    if (sorted)
    {
        std::sort(names.begin(), names.end());
    }
    return names;
}

void LevelManager::UnloadLevel()
{
    for (const std::vector<Entity>& group : levelEntities)
    {
        DestroyGroup(group);
    }
    levelEntities.clear();
    levelEntities.emplace_back();
}

void LevelManager::AddToLevel(const Entity& entity)
{
    if (levelEntities.empty())
    {
        levelEntities.emplace_back();
    }
    levelEntities[0].push_back(entity);
    MarkChanged();
}

Entity LevelManager::SpawnInLevel(const std::string& archetype)
{
    if (archetype.empty())
    {
        return Entity::None();
    }
    const Entity spawned = registry->GetSystem<ArchetypeFactory>()->CreateFromArchetype(archetype, true);
    if (spawned.IsValid())
    {
        AddToLevel(spawned);
    }
    return spawned;
}

void LevelManager::AddBeside(const Entity& entity, const Entity& beside)
{
    for (std::vector<Entity>& group : levelEntities)
    {
        if (std::find(group.begin(), group.end(), beside) != group.end())
        {
            group.push_back(entity);
            MarkChanged();
            return;
        }
    }
    AddToLevel(entity);
}

void LevelManager::RemoveFromLevel(const Entity& entity)
{
    for (std::vector<Entity>& group : levelEntities)
    {
        std::erase(group, entity);
    }
    MarkChanged();
}

void LevelManager::MarkChanged()
{
    if (registry->GetSystem<ECS>()->systemStore.editorMode)
    {
        levelChanged = true;
        registry->unsavedChanges = true;
    }
}

void LevelManager::DestroyGroup(const std::vector<Entity>& group)
{
    if (group.empty())
    {
        return;
    }
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    for (const Entity& entity : group)
    {
        store.DestroyEntity(entity);
    }
}

std::vector<std::string> LevelNames(SystemRegistry* registry)
{
    const auto* levels = registry ? registry->GetSystem<LevelManager>() : nullptr;
    return levels ? levels->ListLevels(true) : std::vector<std::string>();
}

} // namespace kesto
