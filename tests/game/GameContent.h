#pragma once

#include "ecs/JsonReader.h"
#include "support/FrameDriver.h"
#include "ui/MenuWorld.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto::test
{

// The game's levels and archetypes, starting with `first`, and every sprite source name of the game's art table
// (without its images: nothing is drawn headless).
inline MenuWorld::Content GameMenus(const std::string& first)
{
    return [first](TestWorld& world)
    {
        UseGameLevels(world, first);
        JsonReader art;
        ASSERT_TRUE(art.Open(KESTO_TEST_DATA "/../../Assets/Data/Files/", "Art.json", nullptr));
        while (art.NextObjectMember("SpriteSource"))
        {
            std::string name;
            int rows = 0;
            int columns = 0;
            art.TryReadString("name", name);
            art.TryReadInt("rows", rows);
            art.TryReadInt("columns", columns);
            MenuWorld::AddSource(world, name, rows, columns);
        }
    };
}

// The headless game on its own content, played with the mouse and keys.
class GameContent : public ::testing::Test
{
protected:
    explicit GameContent(const std::string& first = "Main Menu") : menu("", GameMenus(first)) {}

    // The topmost button with this art; its position, where a click lands on it.
    Vec2 ButtonAt(const std::string& sprite)
    {
        EntityStore& store = menu.world.Store();
        for (const Entity& entity : store.GetEntities({ComponentType::Button}))
        {
            if (store.GetComponent<Button>(entity)->defaultSprite == sprite && menu.ui->IsOnTopLayer(entity))
            {
                return menu.PositionOf(entity);
            }
        }
        ADD_FAILURE() << "no button " << sprite << " on the top layer";
        return {9.0f, 9.0f};
    }
    void ClickButton(const std::string& sprite) { menu.Click(ButtonAt(sprite)); }
    // A key pressed for one frame and let go for the next, as a player taps it.
    void TapKey(int key)
    {
        for (bool down : {true, false})
        {
            down ? menu.world.keyboardMouse->Press(key) : menu.world.keyboardMouse->Release(key);
            menu.keyboardMouse->Update(0.0f);
            menu.Frame();
        }
    }
    // Frames until the level manager has loaded `level` and its fade-in is done (at most `seconds`).
    void PlayUntilLoaded(const std::string& level, double seconds = 10.0)
    {
        for (int frame = 0;
             frame < seconds * 64.0 && (menu.levels->currentLevel != level || menu.renderer->transition > 0.0f);
             ++frame)
        {
            menu.Frame();
        }
        EXPECT_EQ(menu.levels->currentLevel, level);
    }
    // Frames for `seconds` of game time at 64 a second.
    void Play(double seconds) { menu.Frames(static_cast<int>(seconds * 64.0)); }

    MenuWorld menu;
};

} // namespace kesto::test
