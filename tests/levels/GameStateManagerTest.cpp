#include "levels/GameStateManager.h"

#include "levels/GameStates.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

class RecordingState : public GameStateTableEntry
{
public:
    RecordingState(std::vector<std::string>& journalRef, std::string stateName)
        : journal(journalRef), name(std::move(stateName))
    {
    }
    void Load() override { journal.push_back(name + ".Load"); }
    void Init() override { journal.push_back(name + ".Init"); }
    void Update(float) override { journal.push_back(name + ".Update"); }
    void Shutdown() override { journal.push_back(name + ".Shutdown"); }
    void Unload() override { journal.push_back(name + ".Unload"); }

    std::vector<std::string>& journal;
    std::string name;
};

class GameStateManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager.Init();
        manager.states[2] = std::make_unique<RecordingState>(journal, "j");
        manager.states[6] = std::make_unique<RecordingState>(journal, "game");
    }
    void TearDown() override
    {
        // Keep the exit calls out of the journal under test.
        journal.clear();
    }

    std::vector<std::string> journal;
    GameStateManager manager;
};

TEST_F(GameStateManagerTest, FirstUpdateEntersTheGame)
{
    manager.Update(0.0f);
    EXPECT_EQ(journal, (std::vector<std::string>{"game.Load", "game.Init", "game.Update"}));
    EXPECT_EQ(manager.currentState, 6);
    EXPECT_EQ(manager.previousState, -1);
}

TEST_F(GameStateManagerTest, RestartShutsDownAndInitialisesAgain)
{
    manager.Update(0.0f);
    journal.clear();
    manager.nextState = GameStateManager::restartRequest;
    manager.Update(0.0f);
    EXPECT_EQ(journal, (std::vector<std::string>{"game.Shutdown", "game.Init", "game.Update"}));
    EXPECT_EQ(manager.previousState, -1);
    EXPECT_EQ(manager.nextState, 6);
}

TEST_F(GameStateManagerTest, SwitchingUnloadsTheOldAndLoadsTheNew)
{
    manager.nextState = 2;
    manager.Update(0.0f);
    journal.clear();
    manager.nextState = 6;
    manager.Update(0.0f);
    EXPECT_EQ(journal, (std::vector<std::string>{"j.Shutdown", "j.Unload", "game.Load", "game.Init", "game.Update"}));
    EXPECT_EQ(manager.previousState, 2);
}

TEST(GameStateManager, EveryStateGetsShutdownAndUnloadAtExit)
{
    std::vector<std::string> journal;
    {
        GameStateManager manager;
        manager.Init();
        manager.states[0] = std::make_unique<RecordingState>(journal, "never-ran");
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"never-ran.Shutdown", "never-ran.Unload"}));
}

} // namespace
} // namespace kesto
