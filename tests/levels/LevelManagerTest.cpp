#include "levels/LevelManager.h"

#include "ecs/Transform.h"
#include "graphics/GraphicsWorld.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

class LevelManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        levels = graphics.world.registry.GetSystem<LevelManager>();
        levels->folder = KESTO_TEST_DATA "/levels/";
        graphics.Init(KESTO_TEST_DATA "/archetypes");
        renderer = &graphics.Renderer();
    }

    // One frame of every system in the game's order: the renderer (inside the world) before the level manager.
    // The step is a power of two, exact in floats, and below the registry's 0.1 s clamp.
    void Frames(int count, float dt = 0.0625f)
    {
        for (int i = 0; i < count; ++i)
        {
            now += dt;
            graphics.world.registry.StepFrame(now);
        }
    }

    bool Alive(const Entity& entity) { return graphics.Store().HasComponent<Transform>(entity); }
    std::string Log() const { return graphics.world.trace->Text(); }

    test::GraphicsWorld graphics;
    LevelManager* levels = nullptr;
    RendererSystem* renderer = nullptr; // made by the world's Init
    float now = 1.0f;                   // the first frame has no previous one, so its step is 0
};

TEST_F(LevelManagerTest, InitRequestsTheLevelNamedByDefaultTxt)
{
    EXPECT_EQ(levels->nextLevel, "Alpha");
    EXPECT_EQ(levels->currentLevel, "");
    EXPECT_FALSE(levels->loaded);
}

TEST(LevelManagerStart, ANamedFirstLevelReplacesDefaultTxtsUnlessItDoesNotExist)
{
    struct Case
    {
        std::string firstLevel;
        std::string started;
        bool reported;
    };
    for (const Case& c : std::vector<Case>{{"Beta", "Beta", false}, {"", "Alpha", false}, {"Gamma", "Alpha", true}})
    {
        test::GraphicsWorld graphics;
        LevelManager& levels = *graphics.world.registry.GetSystem<LevelManager>();
        levels.folder = KESTO_TEST_DATA "/levels/";
        levels.firstLevel = c.firstLevel;
        graphics.Init(KESTO_TEST_DATA "/archetypes");
        EXPECT_EQ(levels.nextLevel, c.started);
        const std::string log = graphics.world.trace->Text();
        EXPECT_EQ(log.find("Gamma.json: no such level to start with; starting with default.txt's") != std::string::npos,
                  c.reported)
            << log;
    }
}

TEST_F(LevelManagerTest, FirstLevelLoadsInTheFirstUpdateWithItsSettingsAndSublevels)
{
    Frames(1);
    EXPECT_TRUE(levels->loaded);
    EXPECT_EQ(levels->currentLevel, "Alpha");
    EXPECT_EQ(levels->nextLevel, "");
    ASSERT_EQ(levels->levelEntities.size(), 3u);
    EXPECT_EQ(levels->levelEntities[0].size(), 2u);
    EXPECT_EQ(levels->levelEntities[1].size(), 2u);
    EXPECT_EQ(levels->levelEntities[2].size(), 1u);
    EXPECT_EQ(levels->sublevels, (std::vector<std::string>{"First", "Second"}));
    EXPECT_FALSE(levels->canPause);
    EXPECT_EQ(renderer->ambient, (Vec3{0.25f, 0.5f, 0.75f}));
    EXPECT_EQ(renderer->ambientTarget, (Vec3{0.25f, 0.5f, 0.75f}));
    EXPECT_EQ(renderer->depthScaling, 500.0f);
    EXPECT_EQ(renderer->transition, 0.0f);
    // A sublevel's own camera settings are not read.
    EXPECT_EQ(graphics.camera->GetZoom(), 1000.0f);
    EXPECT_EQ(levels->zoom, 1000.0f);
}

TEST_F(LevelManagerTest, CameraPositionIsKeptInsideTheBounds)
{
    Frames(1);
    // A square 800 x 800 window shows 1000 x 1000 at zoom 1000, so x may go up to 4000 - 500.
    EXPECT_EQ(graphics.camera->GetPosition(), (Vec2{3500.0f, 0.0f}));
    EXPECT_FALSE(graphics.camera->unbounded);
    EXPECT_EQ(graphics.camera->bounds.minY, -500.0f);
}

TEST_F(LevelManagerTest, FadeOutThenUnloadAndLoadInTheSameUpdate)
{
    Frames(1);
    const Entity old = levels->levelEntities[0][0];
    const Entity oldSub = levels->levelEntities[2][0];
    levels->ChangeLevel(0.5f, 0.5f, "Beta", 0.0f, ScreenTransition::Fade);
    EXPECT_TRUE(renderer->fadingOut);
    EXPECT_EQ(renderer->transitionDuration, 0.5f);
    Frames(7);
    EXPECT_EQ(levels->currentLevel, "Alpha");
    EXPECT_EQ(renderer->transition, 0.875f);
    EXPECT_TRUE(Alive(old));
    Frames(1);
    EXPECT_EQ(levels->currentLevel, "Beta");
    EXPECT_TRUE(levels->loaded);
    EXPECT_FALSE(Alive(old));
    EXPECT_FALSE(Alive(oldSub));
    ASSERT_EQ(levels->levelEntities.size(), 1u);
    EXPECT_EQ(levels->levelEntities[0].size(), 1u);
    EXPECT_NE(Log().find("\"Nobody\", which does not exist"), std::string::npos) << Log();
    // Beta now fades in over its 0.5 s.
    EXPECT_FALSE(renderer->fadingOut);
    EXPECT_EQ(renderer->transitionDuration, 0.5f);
    Frames(1);
    EXPECT_EQ(renderer->transition, 0.875f);
}

TEST_F(LevelManagerTest, FadeAndHoldLengthsOutOfRangeAreClampedAndReported)
{
    Frames(1);
    const std::size_t before = graphics.world.trace->ReportCount();
    levels->ChangeLevel(1e30f, std::numeric_limits<float>::infinity(), "Beta", std::numeric_limits<float>::quiet_NaN(),
                        ScreenTransition::Fade);
    EXPECT_EQ(renderer->transitionDuration, 3600.0f);
    EXPECT_EQ(levels->fadeInLength, 3600.0f);
    EXPECT_EQ(levels->holdTime, 0.0f);
    EXPECT_EQ(graphics.world.trace->ReportCount() - before, 3u) << Log();
    for (const char* named :
         {"LEVEL: Beta: fade-out length 1000000015047466219876688855040.000000 s is out of range",
          "LEVEL: Beta: fade-in length inf s is out of range", "LEVEL: Beta: hold time nan s is out of range"})
    {
        EXPECT_NE(Log().find(named), std::string::npos) << named << "\n" << Log();
    }
}

TEST_F(LevelManagerTest, HoldKeepsTheScreenBlackForItsScaledTime)
{
    Frames(1);
    const Entity old = levels->levelEntities[0][0];
    levels->ChangeLevel(0.0f, 0.5f, "Beta", 1.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(renderer->transition, 1.0f);
    EXPECT_FALSE(Alive(old));
    EXPECT_FALSE(levels->loaded);
    Frames(14);
    EXPECT_FALSE(levels->loaded);
    EXPECT_EQ(levels->currentLevel, "Alpha");
    Frames(1);
    EXPECT_TRUE(levels->loaded);
    EXPECT_EQ(levels->currentLevel, "Beta");
    EXPECT_EQ(levels->holdTime, 0.0f);
}

TEST_F(LevelManagerTest, UnloadRestoresTimeScaleAndSwitchesEffectsOff)
{
    Frames(1);
    renderer->crtOn = true;
    renderer->slowMotionOn = true;
    graphics.world.registry.timeScale = 0.25f;
    graphics.world.registry.unsavedChanges = true;
    levels->ChangeLevel(0.0f, 0.0f, "Beta", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(levels->currentLevel, "Beta");
    EXPECT_EQ(graphics.world.registry.timeScale, 1.0f);
    EXPECT_FALSE(renderer->crtOn);
    EXPECT_FALSE(renderer->slowMotionOn);
    EXPECT_FALSE(graphics.world.registry.unsavedChanges);
}

TEST_F(LevelManagerTest, UnloadRestoresTheEditorModeFoundAtStart)
{
    Frames(1);
    graphics.world.Systems().editorMode = true;
    levels->ChangeLevel(0.0f, 0.0f, "Beta", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_FALSE(graphics.world.Systems().editorMode);
}

TEST_F(LevelManagerTest, AfterimagesGoWithEveryLevelChangeARestartIncluded)
{
    struct Case
    {
        bool restart; // the current level again
        bool editorModeBefore;
    };
    Frames(1);
    for (const Case& c : {Case{false, false}, Case{true, false}, Case{true, true}})
    {
        const std::string next =
            c.restart ? levels->currentLevel : (levels->currentLevel == "Alpha" ? "Beta" : "Alpha");
        renderer->ClearAfterimages();
        renderer->AddAfterimage(Transform{}, Sprite{});
        graphics.world.Systems().editorMode = c.editorModeBefore;
        levels->ChangeLevel(0.0f, 0.0f, next, 0.0f, ScreenTransition::Fade);
        Frames(1);
        EXPECT_EQ(levels->currentLevel, next);
        EXPECT_EQ(renderer->Afterimages().Size(), 0u) << c.restart << " " << c.editorModeBefore;
        EXPECT_FALSE(graphics.world.Systems().editorMode);
    }
}

TEST_F(LevelManagerTest, SecondRequestForThePendingLevelIsIgnored)
{
    Frames(1);
    levels->ChangeLevel(0.5f, 0.5f, "Beta", 0.0f, ScreenTransition::Fade);
    levels->ChangeLevel(0.0f, 0.25f, "Beta", 2.0f, ScreenTransition::Slide);
    EXPECT_EQ(levels->holdTime, 0.0f);
    EXPECT_EQ(levels->fadeInLength, 0.5f);
    EXPECT_EQ(levels->transitionType, ScreenTransition::Fade);
    EXPECT_EQ(renderer->transitionDuration, 0.5f);
}

TEST_F(LevelManagerTest, RequestingTheCurrentLevelReloadsIt)
{
    Frames(1);
    const Entity old = levels->levelEntities[0][0];
    levels->ChangeLevel(0.0f, 0.5f, "Alpha", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(levels->currentLevel, "Alpha");
    EXPECT_FALSE(Alive(old));
    ASSERT_EQ(levels->levelEntities[0].size(), 2u);
    EXPECT_TRUE(Alive(levels->levelEntities[0][0]));
}

TEST_F(LevelManagerTest, TransitionTypeReachesTheRenderer)
{
    Frames(1);
    levels->ChangeLevel(0.25f, 0.75f, "Beta", 0.0f, ScreenTransition::Weird);
    EXPECT_EQ(renderer->transitionType, ScreenTransition::Weird);
    Frames(4);
    EXPECT_EQ(levels->currentLevel, "Beta");
    EXPECT_EQ(renderer->transitionType, ScreenTransition::Weird);
    EXPECT_EQ(renderer->transitionDuration, 0.75f);
}

TEST_F(LevelManagerTest, RemovingTheFirstSublevelShiftsTheSecondDown)
{
    Frames(1);
    const std::vector<Entity> first = levels->levelEntities[1];
    const Entity second = levels->levelEntities[2][0];
    levels->RemoveSublevel("First");
    for (const Entity& entity : first)
    {
        EXPECT_FALSE(Alive(entity));
    }
    EXPECT_TRUE(Alive(second));
    EXPECT_EQ(levels->sublevels, (std::vector<std::string>{"Second"}));
    ASSERT_EQ(levels->levelEntities.size(), 2u);
    ASSERT_EQ(levels->levelEntities[1].size(), 1u);
    EXPECT_EQ(levels->levelEntities[1][0].id, second.id);
}

TEST_F(LevelManagerTest, AddedSublevelGetsTheNextGroupEvenWhenAlreadyLoaded)
{
    Frames(1);
    levels->AddSublevel("Second");
    EXPECT_EQ(levels->sublevels, (std::vector<std::string>{"First", "Second", "Second"}));
    ASSERT_EQ(levels->levelEntities.size(), 4u);
    EXPECT_EQ(levels->levelEntities[3].size(), 1u);
    levels->RemoveSublevel("Second");
    EXPECT_EQ(levels->levelEntities.size(), 3u);
    EXPECT_EQ(levels->levelEntities[2].size(), 1u);
}

TEST_F(LevelManagerTest, RemovingASublevelThatIsNotLoadedIsAProgrammingError)
{
    Frames(1);
    EXPECT_THROW(levels->RemoveSublevel("Nowhere"), std::invalid_argument);
}

TEST_F(LevelManagerTest, CanPauseDefaultsToTrue)
{
    Frames(1);
    levels->ChangeLevel(0.0f, 0.0f, "Beta", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_TRUE(levels->canPause);
    levels->ChangeLevel(0.0f, 0.0f, "Squeezed", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_TRUE(levels->canPause);
}

TEST_F(LevelManagerTest, ReversedBoundsBecomeTheMidpointAndDepthScalingStaysPositive)
{
    Frames(1);
    levels->ChangeLevel(0.0f, 0.0f, "Squeezed", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(graphics.camera->bounds.minX, 0.0f);
    EXPECT_EQ(graphics.camera->bounds.maxX, 0.0f);
    EXPECT_EQ(renderer->depthScaling, 0.0f);
    EXPECT_EQ(renderer->ambient, (Vec3{1.0f, 1.0f, 1.0f}));
}

TEST_F(LevelManagerTest, LevelWithoutCameraResetsTheCamera)
{
    Frames(1);
    graphics.camera->SetPosition({123.0f, 4.0f});
    levels->ChangeLevel(0.0f, 0.0f, "Beta", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(graphics.camera->GetPosition(), (Vec2{0.0f, 0.0f}));
    EXPECT_EQ(graphics.camera->GetZoom(), 1600.0f);
    EXPECT_TRUE(graphics.camera->unbounded);
    EXPECT_EQ(levels->zoom, 1600.0f);
    EXPECT_EQ(renderer->depthScaling, 1000.0f);
}

TEST_F(LevelManagerTest, CameraWithoutZoomIsReportedAndShrinksTheView)
{
    Frames(1);
    levels->ChangeLevel(0.0f, 0.0f, "Unzoomed", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(graphics.camera->GetZoom(), Camera::minZoom);
    EXPECT_EQ(levels->zoom, 0.0f);
    EXPECT_EQ(graphics.camera->GetPosition(), (Vec2{5.0f, 6.0f}));
    EXPECT_NE(Log().find("Unzoomed.json: \"Camera\" has no \"Zoom\""), std::string::npos) << Log();
}

TEST_F(LevelManagerTest, ARequestForALevelThatDoesNotExistIsReportedOnceAndIgnored)
{
    Frames(1);
    const std::vector<Entity> before = levels->levelEntities[0];
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        // With a fade-out and a hold, as a mistyped trigger or menu button would ask.
        levels->ChangeLevel(0.5f, 0.5f, "Ghost", 1.0f, ScreenTransition::Fade);
        EXPECT_EQ(levels->nextLevel, "");
        EXPECT_FALSE(renderer->fadingOut);
        Frames(4);
    }
    EXPECT_EQ(levels->currentLevel, "Alpha");
    EXPECT_TRUE(levels->loaded);
    EXPECT_EQ(levels->levelEntities[0], before);
    EXPECT_TRUE(Alive(before.front()));
    EXPECT_EQ(renderer->transition, 0.0f);
    const std::string report = "Ghost.json: no such level; the request to change to it is ignored";
    const std::string log = Log();
    ASSERT_NE(log.find(report), std::string::npos) << log;
    EXPECT_EQ(log.find(report, log.find(report) + 1), std::string::npos) << "reported once\n" << log;
    // A level that exists still loads afterwards.
    levels->ChangeLevel(0.0f, 0.0f, "Beta", 0.0f, ScreenTransition::Fade);
    Frames(1);
    EXPECT_EQ(levels->currentLevel, "Beta");
}

TEST_F(LevelManagerTest, AFirstLevelWhoseFileIsMissingLoadsAnEmptyLevel)
{
    levels->folder = KESTO_TEST_DATA "/levels/GhostStart/";
    levels->nextLevel.clear();
    levels->Init();
    Frames(1);
    EXPECT_TRUE(levels->loaded);
    EXPECT_EQ(levels->currentLevel, "Ghost");
    ASSERT_EQ(levels->levelEntities.size(), 1u);
    EXPECT_TRUE(levels->levelEntities[0].empty());
    EXPECT_TRUE(levels->sublevels.empty());
    EXPECT_NE(Log().find("Ghost.json: cannot open the file"), std::string::npos) << Log();
}

TEST_F(LevelManagerTest, MissingDefaultFileStartsAnEmptyWorld)
{
    levels->folder = KESTO_TEST_DATA "/levels/nowhere/";
    levels->nextLevel.clear();
    levels->Init();
    EXPECT_NE(Log().find("default.txt: cannot read the first level's name"), std::string::npos) << Log();
    Frames(1);
    EXPECT_TRUE(levels->loaded);
    EXPECT_EQ(levels->currentLevel, "");
}

TEST_F(LevelManagerTest, ListLevelsNamesTheJsonFiles)
{
    const std::vector<std::string> expected = {"Alpha", "Beta", "First", "Second", "Squeezed", "Unzoomed"};
    EXPECT_EQ(levels->ListLevels(true), expected);
    std::vector<std::string> unsorted = levels->ListLevels(false);
    std::sort(unsorted.begin(), unsorted.end());
    EXPECT_EQ(unsorted, expected);
}

TEST_F(LevelManagerTest, UnloadLevelDestroysEveryGroup)
{
    Frames(1);
    const Entity sub = levels->levelEntities[1][0];
    levels->UnloadLevel();
    EXPECT_FALSE(Alive(sub));
    ASSERT_EQ(levels->levelEntities.size(), 1u);
    EXPECT_TRUE(levels->levelEntities[0].empty());
    EXPECT_EQ(levels->sublevels.size(), 2u);
}

} // namespace
} // namespace kesto
