#include "game/GameContent.h"
#include "input/ControllerSprite.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

const std::vector<std::string> menuLevels = {"ArcwellLogo",
                                             "Main Menu",
                                             "Options",
                                             "Controls",
                                             "Credit",
                                             "Credit-Sub",
                                             "IntroCinematic",
                                             "EndingCinematic",
                                             "8.Congrats",
                                             "PauseMenu",
                                             "Options PauseMenu",
                                             "Control Pausemenu",
                                             "Are you sure2",
                                             "Are you sure restart",
                                             "Are You Sure"};

// Reports about content: anything but the sound, which the headless engine has no banks for.
std::string ContentReports(const std::string& log)
{
    std::istringstream lines(log);
    std::string found;
    for (std::string line; std::getline(lines, line);)
    {
        if (line.rfind("AUDIO:", 0) != 0)
        {
            found += line + "\n";
        }
    }
    return found;
}

using MenuContent = test::GameContent;

TEST_F(MenuContent, EveryMenuLoadsCleanlyAndEveryActionAndLookNamesSomethingThatExists)
{
    const std::vector<std::string> levels = menu.levels->ListLevels(false);
    const auto isLevel = [&levels](const std::string& name)
    { return std::find(levels.begin(), levels.end(), name) != levels.end(); };
    EntityStore& store = menu.world.Store();
    for (const std::string& level : menuLevels)
    {
        SCOPED_TRACE(level);
        ASSERT_TRUE(isLevel(level));
        menu.levels->AddSublevel(level);
        for (const Entity& entity : menu.levels->levelEntities.back())
        {
            std::vector<std::string> looks;
            if (const auto* button = store.GetComponent<Button>(entity))
            {
                const std::optional<ReleaseAction> action = DecodeReleaseFunction(button->releaseFunction);
                ASSERT_TRUE(action) << button->releaseFunction;
                const bool namesLevel = action->action == ButtonAction::StateChange ||
                                        action->action == ButtonAction::AddSubLevel ||
                                        action->action == ButtonAction::RemoveSubLevel;
                EXPECT_TRUE(!namesLevel || isLevel(action->argument)) << button->releaseFunction;
                looks = {button->defaultSprite, button->hoverSprite, button->pressSprite};
            }
            if (const auto* box = store.GetComponent<CheckBox>(entity))
            {
                looks = {box->checkedSprite, box->uncheckedSprite, box->hoverCheckedSprite, box->hoverUncheckedSprite};
                EXPECT_NE(box->hoverCheckedSprite, box->hoverUncheckedSprite) << "both hover looks were read";
            }
            if (const auto* prompt = store.GetComponent<ControllerSprite>(entity))
            {
                looks = {prompt->controllerSprite};
            }
            for (const std::string& look : looks)
            {
                EXPECT_NE(menu.sources->Find(look), nullptr) << look;
            }
        }
        menu.levels->RemoveSublevel(level);
    }
    EXPECT_EQ(ContentReports(menu.Log()), "");
}

TEST_F(MenuContent, PlayStartsTheIntroWhichASkipEndsInTheFirstStage)
{
    EXPECT_EQ(menu.levels->currentLevel, "Main Menu");
    ClickButton("ButtonPlayN001");
    EXPECT_EQ(menu.levels->nextLevel, "IntroCinematic");
    PlayUntilLoaded("IntroCinematic");
    TapKey(GLFW_KEY_SPACE);
    EXPECT_EQ(menu.levels->nextLevel, "0. Containment (Tutorial)");
    PlayUntilLoaded("0. Containment (Tutorial)");
}

TEST_F(MenuContent, OptionsAndControlsOpenOverTheMainMenuAndBackClosesThem)
{
    for (const char* opener : {"ButtonOptionsN001", "ButtonControlsN001"})
    {
        SCOPED_TRACE(opener);
        ClickButton(opener);
        ASSERT_EQ(menu.levels->sublevels.size(), 1u);
        // The menu below is covered: its Play button no longer reacts.
        menu.Click({0.0f, 20.0f / 270.0f});
        EXPECT_EQ(menu.levels->nextLevel, "");
        ClickButton("ButtonBackN001");
        EXPECT_TRUE(menu.levels->sublevels.empty());
    }
}

class PauseMenuContent : public MenuContent
{
protected:
    // Paused in the first stage, as the pause system leaves it.
    PauseMenuContent() : GameContent("Proving Grounds")
    {
        menu.levels->AddSublevel("PauseMenu");
        menu.world.registry.timeScale = 0.0f;
        menu.renderer->crtOn = true;
    }

    using Sublevels = std::vector<std::string>;
    const Sublevels& Loaded() const { return menu.levels->sublevels; }
};

TEST_F(PauseMenuContent, EachPauseMenuButtonOpensItsMenuInsteadAndBackOrNoReturns)
{
    struct Case
    {
        const char* button;
        Sublevels opened;
        const char* back;
    };
    const std::vector<Case> cases = {
        {"ButtonOptionsN001", {"Options PauseMenu"}, "ButtonBackN001"},
        {"ButtonControlsN001", {"Control Pausemenu"}, "ButtonBackN001"},
        {"ButtonRestartN001", {"Are you sure restart"}, "ButtonNoN001"},
        {"ButtonMainMenuN001", {"Are you sure2"}, "ButtonNoN001"},
        {"ButtonQuitGameN001", {"PauseMenu", "Are You Sure"}, "ButtonNoN001"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.button);
        ClickButton(c.button);
        EXPECT_EQ(Loaded(), c.opened);
        ClickButton(c.back);
        EXPECT_EQ(Loaded(), Sublevels{"PauseMenu"});
        EXPECT_EQ(menu.world.registry.timeScale, 0.0f) << "still paused";
    }
    EXPECT_TRUE(menu.world.registry.running);
    ClickButton("ButtonResumeN001");
    EXPECT_TRUE(Loaded().empty());
    EXPECT_EQ(menu.world.registry.timeScale, 1.0f);
    EXPECT_FALSE(menu.renderer->crtOn);
}

TEST_F(PauseMenuContent, ConfirmedLevelChangesRunThoughTheGameWasPaused)
{
    ClickButton("ButtonRestartN001");
    ClickButton("ButtonYesN001");
    PlayUntilLoaded("Proving Grounds");
    EXPECT_TRUE(Loaded().empty());
    EXPECT_EQ(menu.world.registry.timeScale, 1.0f);

    menu.levels->AddSublevel("PauseMenu");
    menu.world.registry.timeScale = 0.0f;
    ClickButton("ButtonMainMenuN001");
    ClickButton("ButtonYesN001");
    PlayUntilLoaded("Main Menu");
}

TEST_F(PauseMenuContent, QuitGameEndsTheLoopWhenConfirmed)
{
    ClickButton("ButtonQuitGameN001");
    ClickButton("ButtonYesN001");
    EXPECT_FALSE(menu.world.registry.running);
}

} // namespace
} // namespace kesto
