#include "editor/LevelFile.h"

#include "ecs/ArchetypeFactory.h"
#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "editor/LevelSettings.h"
#include "editor/ScratchFolder.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "physics/Gravity.h"
#include "support/FrameDriver.h"
#include "support/TestWorld.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;
using test::ScratchFolder;

const std::string gameLevels = KESTO_TEST_DATA "/../../Assets/Data/Levels/";

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A headless engine in editor mode reading the game's archetypes and the levels of `folder`.
struct LevelWorld
{
    explicit LevelWorld(const std::string& folder, const std::string& first)
    {
        world.ecs->SetEditorMode(true);
        test::UseGameLevels(world, first);
        world.registry.GetSystem<LevelManager>()->folder = folder;
        world.Init();
        Frame();
    }
    void Frame() { world.registry.StepFrame(now += 0.0625); }
    void Open(const std::string& level)
    {
        world.registry.GetSystem<LevelManager>()->ChangeLevel(0, 0, level, 0, ScreenTransition::Fade);
        Frame();
    }
    // Every entity of the level as the editor writes it.
    std::vector<std::string> Entities()
    {
        std::vector<std::string> texts;
        for (const Entity& entity : world.registry.GetSystem<LevelManager>()->levelEntities.at(0))
        {
            JsonWriter writer;
            EXPECT_TRUE(WriteEntityObject(writer, world.Store(), *world.factory, entity)) << entity.name;
            texts.push_back(writer.Finish());
        }
        return texts;
    }
    // What the level's settings did to the engine.
    std::string SettingsSeen()
    {
        Camera& camera = *world.registry.GetSystem<Camera>();
        const RendererSystem& renderer = *world.Systems().GetSystem<RendererSystem>();
        const LevelManager& levels = *world.registry.GetSystem<LevelManager>();
        std::ostringstream seen;
        seen << camera.GetPosition().x << " " << camera.GetPosition().y << " " << camera.GetZoom() << " "
             << camera.unbounded << " " << camera.bounds.minX << " " << camera.bounds.maxX << " " << camera.bounds.minY
             << " " << camera.bounds.maxY << " " << renderer.ambient.x << " " << renderer.ambient.y << " "
             << renderer.ambient.z << " " << renderer.depthScaling << " " << levels.canPause << " " << levels.zoom;
        for (const std::string& name : levels.sublevels)
        {
            seen << " " << name;
        }
        return seen.str();
    }

    test::TestWorld world;
    double now = 1.0;
};

TEST(LevelFile, EveryGameLevelSavedAndLoadedAgainGivesTheSameEntitiesComponentsAndSettings)
{
    ScratchFolder saved("level-round-trip");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(gameLevels))
    {
        if (entry.path().extension() == ".json")
        {
            names.push_back(entry.path().stem().string());
        }
    }
    ASSERT_GE(names.size(), 10u);
    LevelWorld original(gameLevels, names.front());
    LevelWorld reloaded(saved.Folder(), names.front());
    for (const std::string& name : names)
    {
        original.Open(name);
        JsonReader reader;
        reader.Open(gameLevels, name + ".json", nullptr);
        const LevelSettings settings = ReadLevelSettings(reader);
        const std::vector<Entity>& entities = original.world.registry.GetSystem<LevelManager>()->levelEntities.at(0);
        int skipped = 0;
        const std::string text =
            LevelText(&settings, original.world.Store(), *original.world.factory, entities, &skipped);
        EXPECT_EQ(skipped, 0) << name;
        ASSERT_EQ(WriteFileAtomically(saved.path / (name + ".json"), text), "") << name;

        reloaded.Open(name);
        EXPECT_EQ(reloaded.world.registry.GetSystem<LevelManager>()->currentLevel, name);
        EXPECT_EQ(reloaded.Entities(), original.Entities()) << name;
        EXPECT_EQ(reloaded.SettingsSeen(), original.SettingsSeen()) << name;
        JsonReader again;
        again.Open(saved.Folder(), name + ".json", nullptr);
        EXPECT_EQ(ReadLevelSettings(again), settings) << name;
    }
}

TEST(LevelFile, AddedAndRemovedComponentsAreListedAndComeBack)
{
    ScratchFolder saved("level-components");
    LevelWorld original(gameLevels, "Proving Grounds");
    EntityStore& store = original.world.Store();
    const std::vector<Entity>& entities = original.world.registry.GetSystem<LevelManager>()->levelEntities.at(0);
    ASSERT_FALSE(entities.empty());
    const Entity changed = entities.front();
    store.RemoveComponent(changed, IndexOf(ComponentType::Sprite));
    store.AddComponent<Gravity>(changed)->amount = 3.5f;
    const std::string text = LevelText(nullptr, store, *original.world.factory, entities);
    EXPECT_NE(text.find(ArchetypeFactory::componentsKey), std::string::npos);
    ASSERT_EQ(WriteFileAtomically(saved.path / "Changed.json", text), "");

    LevelWorld reloaded(saved.Folder(), "Changed");
    EXPECT_EQ(reloaded.Entities(), original.Entities());
    const Entity back = reloaded.world.registry.GetSystem<LevelManager>()->levelEntities.at(0).at(0);
    EXPECT_FALSE(reloaded.world.Store().HasComponent(back, IndexOf(ComponentType::Sprite)));
    ASSERT_TRUE(reloaded.world.Store().HasComponent<Gravity>(back));
    EXPECT_EQ(reloaded.world.Store().GetComponent<Gravity>(back)->amount, 3.5f);
}

TEST(LevelFile, AnEntityNamedAfterNoArchetypeIsLeftOutAndCounted)
{
    LevelWorld world(gameLevels, "Proving Grounds");
    const Entity stray("NoSuchArchetype");
    world.world.Store().AddComponent<Transform>(stray);
    int skipped = 0;
    const std::string text = LevelText(nullptr, world.world.Store(), *world.world.factory, {stray}, &skipped);
    EXPECT_EQ(skipped, 1);
    EXPECT_EQ(text.find("NoSuchArchetype"), std::string::npos);
}

TEST(LevelFile, ASaveStoppedBeforeTheRenameLeavesTheOldFileWholeAndNoTemporaryFile)
{
    ScratchFolder folder("atomic-save");
    const fs::path level = folder.path / "Level.json";
    std::ofstream(level) << "{ \"old\": true }";
    EXPECT_THROW(WriteFileAtomically(level, "{ \"new\": true }", [] { throw std::runtime_error("power cut"); }),
                 std::runtime_error);
    EXPECT_EQ(ReadText(level), "{ \"old\": true }");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);

    // A target that cannot be replaced is reported, and the old content stays.
    const fs::path blocked = folder.path / "Blocked.json";
    fs::create_directories(blocked / "inside");
    EXPECT_NE(WriteFileAtomically(blocked, "{}"), "");
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);

    EXPECT_EQ(WriteFileAtomically(level, "{ \"new\": true }"), "");
    EXPECT_EQ(ReadText(level), "{ \"new\": true }");
}

} // namespace
} // namespace kesto
