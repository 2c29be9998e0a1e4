#include "game/GameContent.h"
#include "graphics/SpriteText.h"
#include "graphics/Video.h"
#include "ui/CreditSystem.h"
#include "ui/CutsceneSystem.h"
#include "ui/PauseSystem.h"
#include "ui/TimerSystem.h"

#include <GLFW/glfw3.h>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

using Sublevels = std::vector<std::string>;

// The game's flow on its own levels: the splash, the cinematics, pausing, the credits and the run's times.
class GameFlow : public test::GameContent
{
protected:
    explicit GameFlow(const std::string& first) : GameContent(first) {}

    const Sublevels& Loaded() const { return menu.levels->sublevels; }
    bool Paused() const { return menu.world.registry.timeScale == 0.0f; }

    // The first sprite showing the named image.
    Sprite& SpriteShowing(const std::string& source)
    {
        EntityStore& store = menu.world.Store();
        for (const Entity& entity : store.GetEntities({ComponentType::Sprite}))
        {
            Sprite& sprite = *store.GetComponent<Sprite>(entity);
            if (sprite.spriteSource && sprite.spriteSource->name == source)
            {
                return sprite;
            }
        }
        ADD_FAILURE() << "nothing shows " << source;
        return missing;
    }
    // The level's video, made to play one of the test videos.
    Video& PlayTestVideo(const std::string& file)
    {
        EntityStore& store = menu.world.Store();
        const std::vector<Entity> videos = store.GetEntities({ComponentType::Video});
        EXPECT_EQ(videos.size(), 1u);
        Video& video = *store.GetComponent<Video>(videos.front());
        video.assetRoot = KESTO_TEST_DATA "/video/";
        video.path = file;
        video.Open();
        EXPECT_TRUE(video.IsOpen()) << file;
        return video;
    }

    Sprite missing;
};

class Stage : public GameFlow
{
protected:
    Stage() : GameFlow("Proving Grounds") {}
};

TEST_F(Stage, EscapeOpensThePauseMenuAndClosesWhicheverMenuIsOpen)
{
    struct Case
    {
        const char* opener; // the pause menu's button that opens the menu; none: the pause menu itself
        Sublevels open;
    };
    const std::vector<Case> cases = {
        {nullptr, {"PauseMenu"}},
        {"ButtonOptionsN001", {"Options PauseMenu"}},
        {"ButtonControlsN001", {"Control Pausemenu"}},
        {"ButtonCreditsN001", {"Credit-Sub"}},
        {"ButtonMainMenuN001", {"Are you sure2"}},
        {"ButtonRestartN001", {"Are you sure restart"}},
        {"ButtonQuitGameN001", {"PauseMenu", "Are You Sure"}},
    };
    PauseSystem& pause = *menu.world.Systems().GetSystem<PauseSystem>();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.opener ? c.opener : "PauseMenu");
        menu.renderer->slowMotionOn = true;
        TapKey(GLFW_KEY_ESCAPE);
        ASSERT_EQ(Loaded(), Sublevels{"PauseMenu"});
        EXPECT_TRUE(Paused());
        EXPECT_TRUE(pause.paused);
        EXPECT_TRUE(menu.renderer->crtOn);
        if (c.opener)
        {
            ClickButton(c.opener);
        }
        ASSERT_EQ(Loaded(), c.open);
        TapKey(GLFW_KEY_ESCAPE);
        EXPECT_TRUE(Loaded().empty());
        EXPECT_FALSE(Paused());
        EXPECT_FALSE(pause.paused);
        EXPECT_FALSE(menu.renderer->crtOn);
        EXPECT_FALSE(menu.renderer->slowMotionOn);
    }
}

TEST_F(Stage, EscapeOpensNothingWhileAScriptHoldsThePauseOrTheScreenFades)
{
    PauseSystem& pause = *menu.world.Systems().GetSystem<PauseSystem>();
    // Once the fox stands in its normal state, which allows the pause again whenever it starts.
    Play(0.5);
    pause.allowPause = false;
    TapKey(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(Loaded().empty());
    EXPECT_FALSE(Paused());
    pause.allowPause = true;

    menu.levels->ChangeLevel(1.0f, 1.0f, "Proving Grounds Annex", 0.0f, ScreenTransition::Fade);
    Play(0.25);
    TapKey(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(Loaded().empty()) << "paused while fading out";
}

class MainMenu : public GameFlow
{
protected:
    MainMenu() : GameFlow("Main Menu") {}
};

TEST_F(MainMenu, EscapeDoesNothingWhereTheLevelForbidsPausing)
{
    ASSERT_FALSE(menu.levels->canPause);
    TapKey(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(Loaded().empty());
    EXPECT_FALSE(Paused());
}

TEST_F(MainMenu, TheGameStartsOnTheSplashAndEveryStageCanBePaused)
{
    std::ifstream file(KESTO_TEST_DATA "/../../Assets/Data/Levels/default.txt");
    std::string first;
    std::getline(file, first);
    EXPECT_EQ(first, CutsceneSystem::splashLevel);
    for (const char* stage : {"0. Containment (Tutorial)", "1. Outskirts", "2. Quarry", "3. The Shaft", "4. Old Forest",
                              "5. Power Station", "8. Lab Breakout (The End)", "Lab Breakout (The End Part 2)",
                              "Proving Grounds", "Proving Grounds Annex", "Demo"})
    {
        menu.levels->ChangeLevel(0.0f, 0.0f, stage, 0.0f, ScreenTransition::Fade);
        menu.Frame();
        ASSERT_EQ(menu.levels->currentLevel, stage);
        EXPECT_TRUE(menu.levels->canPause) << stage;
    }
}

class Splash : public GameFlow
{
protected:
    Splash() : GameFlow(CutsceneSystem::splashLevel) {}

    CutsceneSystem& cutscene = *menu.world.registry.GetSystem<CutsceneSystem>();
};

TEST_F(Splash, TheLogosFadeInTurnAndTheSplashMovesOnAfterNineSeconds)
{
    menu.sources->allLoaded = true;
    struct Case
    {
        double at; // seconds of splash
        float studio;
        float engine;
    };
    // The studio logo fades in over the first second, gives way to the engine's card from 4 s to 5 s.
    const std::vector<Case> cases = {{0.5, 0.5f, 0.0f}, {2.0, 1.0f, 0.0f}, {4.5, 0.5f, 0.5f}, {6.0, 0.0f, 1.0f}};
    for (const Case& c : cases)
    {
        Play(c.at - cutscene.splashTime);
        SCOPED_TRACE(cutscene.splashTime);
        EXPECT_NEAR(SpriteShowing("TestLogo").alpha, c.studio, 0.02f);
        EXPECT_NEAR(SpriteShowing("awcopyright").alpha, c.studio, 0.02f);
        EXPECT_NEAR(SpriteShowing("FMOD").alpha, c.engine, 0.02f);
        // The textures' uploads follow the same clock.
        EXPECT_EQ(menu.sources->splashClock(), cutscene.splashTime);
    }
    Play(8.95 - cutscene.splashTime);
    EXPECT_EQ(menu.levels->nextLevel, "");
    Play(0.1);
    EXPECT_EQ(menu.levels->nextLevel, "Main Menu");
    EXPECT_EQ(SpriteShowing("animRunv002").alpha, 0.0f) << "loading was done: no loading figure";
    PlayUntilLoaded("Main Menu");
    EXPECT_EQ(cutscene.splashTime, 0.0f);
    EXPECT_FALSE(menu.sources->splashClock()) << "no splash runs";
}

TEST_F(Splash, ASkipBeforeLoadingEndsShowsTheLoadingFoxAndMovesOnOnceLoaded)
{
    menu.sources->allLoaded = false;
    Play(1.5);
    TapKey(GLFW_KEY_SPACE);
    EXPECT_TRUE(cutscene.skipRequested);
    EXPECT_EQ(SpriteShowing("animRunv002").alpha, 1.0f);
    for (int frame = 0; frame < 64; ++frame)
    {
        const float loading = SpriteShowing("loading").alpha;
        ASSERT_GE(loading, 0.5f - 0.175f);
        ASSERT_LE(loading, 0.5f + 0.175f);
        menu.Frame();
    }
    Play(10.0);
    EXPECT_EQ(menu.levels->nextLevel, "") << "moved on before loading ended";
    menu.sources->allLoaded = true;
    menu.Frame();
    EXPECT_EQ(menu.levels->nextLevel, "Main Menu");
}

class Cinematic : public GameFlow
{
protected:
    Cinematic() : GameFlow(CutsceneSystem::introLevel) {}
};

TEST_F(Cinematic, EachCinematicEndsWithItsVideoAndTheEndingIgnoresASkipInItsFirstTwoSeconds)
{
    // The intro's video ends: the first stage follows.
    PlayTestVideo("frames.mp4");
    Play(0.5);
    EXPECT_EQ(menu.levels->nextLevel, CutsceneSystem::firstStage);
    PlayUntilLoaded(CutsceneSystem::firstStage);

    menu.levels->ChangeLevel(0.0f, 0.0f, CutsceneSystem::endingLevel, 0.0f, ScreenTransition::Fade);
    PlayUntilLoaded(CutsceneSystem::endingLevel);
    const Video& ending = PlayTestVideo("long.mp4");
    Play(1.0);
    TapKey(GLFW_KEY_SPACE);
    TapKey(GLFW_KEY_ENTER);
    EXPECT_EQ(menu.levels->nextLevel, "") << "skipped after " << ending.time << " s";
    Play(1.2);
    TapKey(GLFW_KEY_ESCAPE);
    EXPECT_EQ(menu.levels->nextLevel, CutsceneSystem::congratsLevel);
}

class Credits : public GameFlow
{
protected:
    Credits() : GameFlow(CreditSystem::creditLevel) {}
};

TEST_F(Credits, TheCameraGlidesDownTheCreditsAndTheMenuFollows)
{
    Play(1.9);
    EXPECT_EQ(menu.camera->GetPosition(), (Vec2{0.0f, 0.0f})) << "scrolled before the start delay";
    Play(0.2);
    EXPECT_TRUE(menu.camera->IsGliding());
    Play(25.0);
    EXPECT_EQ(menu.camera->GetPosition(), (Vec2{0.0f, -9600.0f}));
    Play(2.8);
    EXPECT_EQ(menu.levels->nextLevel, "");
    Play(0.3);
    EXPECT_EQ(menu.levels->nextLevel, "Main Menu");
}

TEST_F(Credits, AClickLeavesAtOnceAndTheGlideStopsWithTheCredits)
{
    Play(5.0);
    ASSERT_TRUE(menu.camera->IsGliding());
    menu.Click({-0.5f, 0.5f});
    EXPECT_EQ(menu.levels->nextLevel, "Main Menu");
    PlayUntilLoaded("Main Menu");
    EXPECT_FALSE(menu.camera->IsGliding());
}

TEST_F(Stage, TheCreditsFromThePauseMenuRiseUpTheScreenAndThePauseMenuReturns)
{
    TapKey(GLFW_KEY_ESCAPE);
    ClickButton("ButtonCreditsN001");
    ASSERT_EQ(Loaded(), Sublevels{CreditSystem::creditSublevel});
    const auto scrolled = [this]
    {
        for (const Entity& entity : menu.levels->levelEntities.back())
        {
            if (entity.name == CreditSystem::scrolledName)
            {
                return menu.PositionOf(entity).y;
            }
        }
        ADD_FAILURE() << "the credits sublevel has nothing to scroll";
        return 0.0f;
    };
    const float start = scrolled();
    Play(1.9);
    EXPECT_EQ(scrolled(), start);
    Play(25.2);
    EXPECT_NEAR(scrolled() - start, 12.0f, 0.05f);
    EXPECT_TRUE(Paused()) << "the game stays paused under the credits";
    Play(2.8);
    EXPECT_EQ(Loaded(), Sublevels{CreditSystem::creditSublevel});
    Play(0.3);
    EXPECT_EQ(Loaded(), Sublevels{"PauseMenu"});
}

class Congrats : public GameFlow
{
protected:
    Congrats() : GameFlow(CutsceneSystem::congratsLevel) {}
};

TEST_F(Congrats, TheEndOfTheRunShowsEachStagesTimeAndTheTotal)
{
    TimerSystem& timer = *menu.world.registry.GetSystem<TimerSystem>();
    // A split at each of the eight stages' exits; the run's clock stopped at the last.
    timer.splits = {65.5f, 150.25f, 240.0f, 330.0f, 420.0f, 515.0f, 600.0f, 700.0f};
    timer.time = 700.0f;
    menu.Frame();
    // By display: 1 the total, 2 the first stage, k the stage k - 1.
    std::map<int, std::string> shown;
    EntityStore& store = menu.world.Store();
    for (const Entity& entity : store.GetEntities({ComponentType::SpriteText}))
    {
        const SpriteText& text = *store.GetComponent<SpriteText>(entity);
        shown[text.id] = text.Text();
    }
    EXPECT_EQ(shown, (std::map<int, std::string>{{1, "11:40.000"},
                                                 {2, "1:05.500"},
                                                 {3, "1:24.750"},
                                                 {4, "1:29.750"},
                                                 {5, "1:30.000"},
                                                 {6, "1:30.000"},
                                                 {7, "1:35.000"},
                                                 {8, "1:25.000"},
                                                 {9, "1:40.000"}}));
}

TEST_F(Congrats, LeavingEditorModeAtALevelChangeClearsTheRun)
{
    TimerSystem& timer = *menu.world.registry.GetSystem<TimerSystem>();
    timer.Start();
    timer.Split();
    Play(0.5);
    menu.world.ecs->SetEditorMode(true);
    menu.levels->ChangeLevel(0.0f, 0.0f, "Main Menu", 0.0f, ScreenTransition::Fade);
    EXPECT_TRUE(timer.running) << "entering keeps the run";
    menu.Frame();
    ASSERT_FALSE(menu.world.Systems().editorMode) << "the level change restores play mode";
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.time, 0.0f);
    EXPECT_TRUE(timer.splits.empty());
}

} // namespace
} // namespace kesto
