#include "editor/EditorSession.h"

#include "ecs/ECS.h"
#include "editor/EditorWorld.h"
#include "editor/LevelSnapshot.h"
#include "editor/ScratchFolder.h"
#include "engine/SystemRegistry.h"
#include "graphics/WindowHandler.h"
#include "physics/Gravity.h"
#include "support/FrameDriver.h"

#include <GLFW/glfw3.h>
#include <filesystem>
#include <fstream>
#include <functional>
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

const char* const stage = "Proving Grounds";

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The editor on a copy of the game's levels, with the session updated after every frame as the editor's windows
// update it.
class EditorSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto& entry : fs::directory_iterator(KESTO_TEST_DATA "/../../Assets/Data/Levels"))
        {
            fs::copy_file(entry.path(), levelsCopy.path / entry.path().filename());
        }
        test::UseGameLevels(editor.world, stage);
        editor.world.registry.GetSystem<LevelManager>()->folder = levelsCopy.Folder();
        editor.Init();
        Frame();
        ASSERT_EQ(session.Level(), stage);
    }

    void Frame()
    {
        editor.Frame();
        session.Update();
    }
    void Tap(int key, int modifier = 0)
    {
        if (modifier)
        {
            editor.world.keyboardMouse->Press(modifier);
        }
        editor.world.keyboardMouse->Press(key);
        Frame();
        editor.world.keyboardMouse->Release(key);
        if (modifier)
        {
            editor.world.keyboardMouse->Release(modifier);
        }
        Frame();
    }
    std::vector<std::string> Level() { return CaptureLevel(editor.world.registry, Entity::None()).groups; }
    LevelManager& Levels() { return *editor.levels; }
    // The first entity of the level that has a transform, not locked, and its centre.
    Entity Movable()
    {
        for (const Entity& entity : Levels().levelEntities.at(0))
        {
            const auto* transform = editor.world.Store().GetComponent<Transform>(entity);
            if (transform && !transform->locked && entity.name == "Crate")
            {
                return entity;
            }
        }
        return Entity::None();
    }

    test::ScratchFolder levelsCopy{"editor-session"};
    test::EditorWorld editor;
    EditorSession session{editor.world.registry};
};

TEST_F(EditorSessionTest, UndoAndRedoAMoveAComponentEditAndADelete)
{
    struct Case
    {
        const char* what;
        std::function<void(const Entity&)> edit;
    };
    const std::vector<Case> cases{
        {"a move",
         [this](const Entity& crate)
         {
             editor.editor->Select(crate);
             const Vec2 at = editor.TransformOf(crate).GetTranslation();
             editor.Drag(at, at + Vec2{240, 60});
         }},
        {"a component edit",
         [this](const Entity& crate)
         {
             editor.TransformOf(crate).SetScale({333, 44});
             session.NoteEdit();
         }},
        {"a delete",
         [this](const Entity& crate)
         {
             editor.editor->Select(crate);
             Tap(GLFW_KEY_DELETE);
         }},
    };
    for (const Case& c : cases)
    {
        const Entity crate = Movable();
        ASSERT_TRUE(crate.IsValid());
        const std::vector<std::string> before = Level();
        c.edit(crate);
        Frame();
        const std::vector<std::string> after = Level();
        ASSERT_NE(after, before) << c.what;
        EXPECT_TRUE(session.HasUnsavedChanges()) << c.what;
        EXPECT_NE(session.Title().find('*'), std::string::npos) << c.what;

        Tap(GLFW_KEY_Z, GLFW_KEY_LEFT_CONTROL);
        EXPECT_EQ(Level(), before) << c.what;
        EXPECT_FALSE(session.HasUnsavedChanges()) << c.what << ": back where the file is";
        Tap(GLFW_KEY_Y, GLFW_KEY_LEFT_CONTROL);
        EXPECT_EQ(Level(), after) << c.what;
        session.Undo();
        EXPECT_EQ(Level(), before) << c.what;
    }
}

TEST_F(EditorSessionTest, ADragIsOneStepAndAHundredEditsCanBeUndone)
{
    const Entity crate = Movable();
    editor.editor->Select(crate);
    const Vec2 at = editor.TransformOf(crate).GetTranslation();
    editor.CursorAt(at);
    editor.Press(GLFW_MOUSE_BUTTON_LEFT);
    for (int step = 1; step <= 5; ++step)
    {
        editor.CursorAt(at + Vec2{20.0f * static_cast<float>(step), 0});
        Frame();
    }
    editor.Release(GLFW_MOUSE_BUTTON_LEFT);
    Frame();
    EXPECT_EQ(session.History().Size(), 2u);

    const std::vector<std::string> start = Level();
    for (int edit = 0; edit < 100; ++edit)
    {
        editor.TransformOf(editor.editor->Selection()).SetRotation(0.5f + static_cast<float>(edit));
        session.NoteEdit();
        Frame();
    }
    for (int edit = 0; edit < 100; ++edit)
    {
        session.Undo();
    }
    EXPECT_EQ(Level(), start);
}

TEST_F(EditorSessionTest, SaveWritesWhatTheGameLoadsAndClearsTheUnsavedMark)
{
    const Entity crate = Movable();
    editor.editor->Select(crate);
    const Vec2 at = editor.TransformOf(crate).GetTranslation();
    editor.Drag(at, at + Vec2{400, 0});
    const Entity spawned = session.Spawn("Crate");
    ASSERT_TRUE(spawned.IsValid());
    session.AddComponent(spawned, IndexOf(ComponentType::Gravity));
    Frame();
    ASSERT_TRUE(editor.world.registry.unsavedChanges);
    Tap(GLFW_KEY_S, GLFW_KEY_LEFT_CONTROL);
    EXPECT_FALSE(editor.world.registry.unsavedChanges);
    EXPECT_FALSE(Levels().levelChanged);
    EXPECT_EQ(session.Title(), std::string("Kesto Editor - ") + stage);
    EXPECT_EQ(editor.world.registry.GetSystem<WindowHandler>()->Title(), session.Title());

    // The game, in play mode, loads the saved level with the moved crate and the spawned one with its gravity.
    test::TestWorld game;
    test::UseGameLevels(game, stage);
    game.registry.GetSystem<LevelManager>()->folder = levelsCopy.Folder();
    game.Init();
    game.registry.StepFrame(1.0);
    const std::vector<std::string> edited = Level();
    const std::vector<Entity>& loaded = game.registry.GetSystem<LevelManager>()->levelEntities.at(0);
    const std::vector<Entity>& ours = Levels().levelEntities.at(0);
    ASSERT_EQ(loaded.size(), ours.size());
    const auto position = [](test::TestWorld& world, const Entity& entity)
    { return world.Store().GetComponent<Transform>(entity)->GetTranslation(); };
    const auto index = static_cast<std::size_t>(std::find(ours.begin(), ours.end(), crate) - ours.begin());
    EXPECT_EQ(position(game, loaded[index]), at + Vec2(400, 0));
    EXPECT_EQ(position(game, loaded.back()), editor.camera->GetPosition());
    EXPECT_TRUE(game.Store().HasComponent<Gravity>(loaded.back()));
}

TEST_F(EditorSessionTest, ASaveInterruptedAfterTheTemporaryFileLeavesTheOldLevel)
{
    const fs::path file = levelsCopy.path / (std::string(stage) + ".json");
    const std::string old = ReadText(file);
    const Entity crate = Movable();
    editor.editor->Select(crate);
    Tap(GLFW_KEY_DELETE);
    session.beforeRename = [] { throw std::runtime_error("the process died here"); };
    EXPECT_THROW(session.Save(), std::runtime_error);
    EXPECT_EQ(ReadText(file), old);
    EXPECT_FALSE(fs::exists(file.string() + ".saving"));
    EXPECT_TRUE(session.HasUnsavedChanges());
}

TEST_F(EditorSessionTest, PlayTestingRunsTheEditedLevelAndComesBackToExactlyTheEditedState)
{
    const Entity crate = Movable();
    editor.editor->Select(crate);
    const Vec2 at = editor.TransformOf(crate).GetTranslation();
    editor.Drag(at, at + Vec2{0, 300});
    editor.camera->SetPosition({1234, 567});
    Frame();
    const std::vector<std::string> edited = Level();
    const std::size_t selectedIndex =
        static_cast<std::size_t>(std::find(Levels().levelEntities[0].begin(), Levels().levelEntities[0].end(), crate) -
                                 Levels().levelEntities[0].begin());

    Tap(GLFW_KEY_F9);
    ASSERT_TRUE(session.IsPlayTesting());
    EXPECT_FALSE(editor.world.Systems().editorMode);
    EXPECT_NE(session.Title().find("(playing)"), std::string::npos);
    // The raised crate falls and the player moves: play changes the level.
    editor.world.keyboardMouse->Press(GLFW_KEY_D);
    for (int frame = 0; frame < 90; ++frame)
    {
        Frame();
    }
    editor.world.keyboardMouse->Release(GLFW_KEY_D);
    Frame();
    EXPECT_NE(Level(), edited);

    Tap(GLFW_KEY_F9);
    EXPECT_FALSE(session.IsPlayTesting());
    EXPECT_TRUE(editor.world.Systems().editorMode);
    EXPECT_EQ(Level(), edited);
    EXPECT_EQ(editor.camera->GetPosition(), (Vec2{1234, 567}));
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_EQ(editor.editor->Selection(), Levels().levelEntities[0].at(selectedIndex));
    EXPECT_EQ(session.History().Size(), 2u) << "play is not an edit";
}

TEST_F(EditorSessionTest, ALevelChangeAskedForWhilePlayTestingEndsThePlayTest)
{
    const std::vector<std::string> edited = Level();
    session.TogglePlayTest();
    Frame();
    Levels().ChangeLevel(0.5f, 0.5f, "Main Menu", 0.0f, ScreenTransition::Fade);
    session.Update();
    EXPECT_FALSE(session.IsPlayTesting());
    for (int frame = 0; frame < 30; ++frame)
    {
        Frame();
    }
    EXPECT_EQ(Levels().currentLevel, stage);
    EXPECT_EQ(Level(), edited);
}

TEST_F(EditorSessionTest, OpeningAnotherLevelTakesItUpWithItsSublevelsAndAFreshHistory)
{
    session.NoteEdit();
    Frame();
    session.OpenLevel("Demo");
    Frame();
    Frame();
    EXPECT_EQ(session.Level(), "Demo");
    EXPECT_FALSE(session.HasUnsavedChanges());
    EXPECT_FALSE(session.CanUndo());
    ASSERT_TRUE(session.Settings().sublevels.has_value());
    EXPECT_EQ(Levels().levelEntities.size(), session.Settings().sublevels->size() + 1);
}

} // namespace
} // namespace kesto
