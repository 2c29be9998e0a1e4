#include "ui/UI_InputSystem.h"

#include "ui/MenuWorld.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

class UiInput : public ::testing::Test
{
protected:
    bool Paused() const { return menu.world.registry.timeScale == 0.0f; }

    test::MenuWorld menu;
};

TEST_F(UiInput, APointOnAnEdgeIsOutside)
{
    Transform box;
    box.SetTranslation({0.5f, -0.25f});
    box.SetScale({0.5f, 0.25f});
    struct Case
    {
        Vec2 point;
        bool inside;
    };
    const std::vector<Case> cases = {
        {{0.5f, -0.25f}, true},   {{0.26f, -0.14f}, true},     {{0.25f, -0.25f}, false},  {{0.75f, -0.25f}, false},
        {{0.5f, -0.125f}, false}, {{0.5f, -0.375f}, false},    {{0.25f, -0.125f}, false}, {{0.76f, -0.25f}, false},
        {{0.5f, -0.124f}, false}, {{0.7499f, -0.3749f}, true},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(UI_InputSystem::Contains(box, c.point), c.inside) << c.point.x << ", " << c.point.y;
    }
}

TEST_F(UiInput, AClickRunsOnTheReleaseOverTheButton)
{
    const Vec2 on{0.3f, 0.3f};
    const Vec2 off{-0.6f, -0.6f};
    struct Case
    {
        Vec2 press;
        Vec2 release;
        bool runs;
    };
    const std::vector<Case> cases = {{on, on, true}, {on, off, false}, {off, on, true}, {off, off, false}};
    menu.AddButton(on, "Pause_");
    for (const Case& c : cases)
    {
        menu.world.registry.timeScale = 1.0f;
        menu.MoveCursor(c.press);
        menu.LeftButton(true);
        EXPECT_FALSE(Paused()) << "the press runs nothing";
        menu.Frames(2);
        menu.MoveCursor(c.release);
        menu.LeftButton(false);
        EXPECT_EQ(Paused(), c.runs) << "pressed at " << c.press.x << ", released at " << c.release.x;
        menu.Frames(2);
    }
}

TEST_F(UiInput, TheButtonUnderTheCursorShowsItsHoverLookAndSoundsOncePerEntry)
{
    const Entity button = menu.AddButton({0.0f, 0.0f}, "Stub_");
    menu.MoveCursor({0.8f, 0.8f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::plain);
    EXPECT_FALSE(menu.audio->FindInstance(test::MenuWorld::hoverSound).IsValid());

    menu.MoveCursor({0.1f, 0.05f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::lit);
    EXPECT_TRUE(menu.audio->FindInstance(test::MenuWorld::hoverSound).IsValid());
    menu.audio->ReleaseAllInstances();
    menu.Frames(3);
    EXPECT_FALSE(menu.audio->FindInstance(test::MenuWorld::hoverSound).IsValid()) << "still over it: no new sound";

    menu.MoveCursor({0.8f, 0.8f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::plain);
    menu.MoveCursor({-0.1f, -0.05f});
    menu.Frame();
    EXPECT_TRUE(menu.audio->FindInstance(test::MenuWorld::hoverSound).IsValid()) << "entered again";
}

TEST_F(UiInput, AButtonDrawnFullyTransparentHighlightsButCannotBeClicked)
{
    const Entity button = menu.AddButton({0.0f, 0.0f}, "Pause_");
    menu.world.Store().GetComponent<Sprite>(button)->alpha = 0.0f;
    menu.Click({0.0f, 0.0f});
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::lit);
    EXPECT_FALSE(Paused());
    EXPECT_FALSE(menu.audio->FindInstance(test::MenuWorld::releaseSound).IsValid());
}

TEST_F(UiInput, WithSublevelsLoadedOnlyTheTopmostReacts)
{
    // Three buttons on one spot: the level's, the first sublevel's and the second's.
    const Entity lower = menu.AddButton({0.0f, 0.0f}, "Pause_");
    const Entity middle = menu.AddButton({0.0f, 0.0f}, "Pause_");
    const Entity top = menu.AddButton({0.0f, 0.0f}, "UnPause_");
    menu.FileUnder(0, lower);
    menu.FileUnder(1, middle);
    menu.FileUnder(2, top);
    menu.levels->sublevels = {"Sub A", "Sub B"};
    menu.world.registry.timeScale = 0.5f;

    menu.Click({0.0f, 0.0f});
    EXPECT_EQ(menu.Shown(top), test::MenuWorld::lit);
    EXPECT_EQ(menu.Shown(middle), test::MenuWorld::plain);
    EXPECT_EQ(menu.Shown(lower), test::MenuWorld::plain);
    EXPECT_EQ(menu.world.registry.timeScale, 1.0f) << "only the top button ran";

    menu.levels->RemoveSublevel("Sub B");
    menu.Click({0.0f, 0.0f});
    EXPECT_EQ(menu.Shown(middle), test::MenuWorld::lit);
    EXPECT_EQ(menu.Shown(lower), test::MenuWorld::plain);
    EXPECT_TRUE(Paused());
}

TEST_F(UiInput, NothingHighlightsOrReactsDuringAScreenTransition)
{
    const Entity button = menu.AddButton({0.0f, 0.0f}, "Pause_");
    menu.renderer->fadingOut = true;
    menu.renderer->transitionDuration = 1000.0f;
    menu.Click({0.0f, 0.0f});
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::plain);
    EXPECT_FALSE(Paused());

    // A finished fade-out (the screen is black) is no longer a transition.
    menu.renderer->transitionDuration = 0.0f;
    menu.Click({0.0f, 0.0f});
    EXPECT_TRUE(Paused());
}

TEST_F(UiInput, ButtonActions)
{
    menu.levels->AddSublevel("Sub A");
    struct Case
    {
        std::string function;
        std::string nextLevel; // the level requested, or empty
        Vec3 fades;            // the request's fade-out, fade-in and hold
        float timeScale;
        bool crt;
        std::vector<std::string> sublevels; // after the click pass
        bool cursorPlacedAgain;             // the gamepad's cursor is placed again
    };
    const std::vector<std::string> subA = {"Sub A"};
    const std::vector<Case> cases = {
        {"Pause_", "", {}, 0.0f, true, subA, false},
        {"Pause", "", {}, 1.0f, false, subA, false},
        {"_Pause", "", {}, 1.0f, false, subA, false},
        {"UnPause_", "", {}, 1.0f, false, subA, false},
        {"State_Stage", "Stage", {0.5f, 0.5f, 0.0f}, 1.0f, false, subA, true},
        {"State_Nowhere", "", {}, 1.0f, false, subA, false},
        {"StateDramatic_Stage", "Stage", {1.5f, 0.0f, 1.0f}, 1.0f, false, subA, false},
        {"AddSub_Sub B", "", {}, 1.0f, false, {"Sub A", "Sub B"}, true},
        {"AddSub_Sub C", "", {}, 1.0f, false, subA, false},
        {"RemoveSub_Sub A", "", {}, 1.0f, false, {}, true},
        {"RemoveSub_Sub B", "", {}, 1.0f, false, subA, false},
        {"Stub_", "", {}, 1.0f, false, subA, false},
        {"UI_", "", {}, 1.0f, false, subA, false},
        {"Teleport_Stage", "", {}, 1.0f, false, subA, false},
        // Last: with no fade-out the restart unloads the level at once.
        {"StateRestart_", "Menu", {0.0f, 0.5f, 1.0f}, 1.0f, false, subA, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.function);
        menu.world.registry.timeScale = c.function == "UnPause_" ? 0.0f : 1.0f;
        menu.renderer->crtOn = c.function == "UnPause_";
        menu.ui->virtualCursorReady = true;
        menu.ui->ExecuteButtonFunction(c.function);
        EXPECT_EQ(menu.levels->nextLevel, c.nextLevel);
        if (!c.nextLevel.empty())
        {
            EXPECT_TRUE(menu.renderer->fadingOut);
            EXPECT_EQ(Vec3(menu.renderer->transitionDuration, menu.levels->fadeInLength, menu.levels->holdTime),
                      c.fades);
        }
        EXPECT_EQ(menu.world.registry.timeScale, c.timeScale);
        EXPECT_EQ(menu.renderer->crtOn, c.crt);
        menu.Frame();
        EXPECT_EQ(menu.levels->sublevels, c.sublevels);
        EXPECT_EQ(menu.ui->virtualCursorReady, !c.cursorPlacedAgain);

        // Back to the menu with only "Sub A" loaded, no change pending.
        menu.levels->nextLevel.clear();
        menu.levels->holdTime = 0.0f;
        menu.renderer->fadingOut = false;
        menu.renderer->transition = 0.0f;
        while (!menu.levels->sublevels.empty())
        {
            menu.levels->RemoveSublevel(menu.levels->sublevels.back());
        }
        menu.levels->AddSublevel("Sub A");
    }
    EXPECT_NE(menu.Log().find("UI: button action \"State_Nowhere\": \"Nowhere\" is not a level file; the button does "
                              "nothing"),
              std::string::npos)
        << menu.Log();
    EXPECT_NE(menu.Log().find("\"Teleport\" is no button action"), std::string::npos) << menu.Log();
}

TEST_F(UiInput, ExitEndsTheLoopUnlessThereAreUnsavedChangesAndTheAnswerIsNo)
{
    struct Case
    {
        bool unsaved;
        bool answer;
        bool asked;
        bool running;
    };
    for (const Case& c :
         std::vector<Case>{{false, false, false, false}, {true, true, true, false}, {true, false, true, true}})
    {
        bool asked = false;
        menu.window->quitQuestion = [&asked, &c]
        {
            asked = true;
            return c.answer;
        };
        menu.world.registry.running = true;
        menu.world.registry.unsavedChanges = c.unsaved;
        const Entity exit = menu.AddButton({0.0f, 0.0f}, "Exit_");
        menu.Click({0.0f, 0.0f});
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(menu.world.registry.running, c.running);
        menu.world.Store().DestroyEntity(exit);
    }
}

} // namespace
} // namespace kesto
