#include "gameplay/StateMachine.h"

#include "ecs/ESystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

class NullSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList&, float) override {}
};

class StateMachineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i)
        {
            const std::string n = std::to_string(i);
            StateDefinition state;
            state.enterFromOther = [this, n](ESystem&, const Entity&) { journal.push_back("enterFromOther " + n); };
            state.enter = [this, n](ESystem&, const Entity&) { journal.push_back("enter " + n); };
            state.update = [this, n](ESystem&, const Entity&, float) { journal.push_back("update " + n); };
            state.exit = [this, n](ESystem&, const Entity&) { journal.push_back("exit " + n); };
            state.exitToOther = [this, n](ESystem&, const Entity&) { journal.push_back("exitToOther " + n); };
            table.push_back(state);
        }
        machine.states = &table;
    }

    void Step() { machine.Update(system, entity, 0.016f); }

    std::vector<std::string> journal;
    StateTable table;
    StateMachine machine;
    NullSystem system;
    Entity entity;
};

TEST_F(StateMachineTest, FirstUpdateEntersTheRequestedState)
{
    Step();
    EXPECT_EQ(journal, (std::vector<std::string>{"enterFromOther 0", "enter 0", "update 0"}));
    EXPECT_EQ(machine.activeState, 0);
}

TEST_F(StateMachineTest, ChangeExitsThenEnters)
{
    Step();
    journal.clear();
    machine.SetState(2);
    Step();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"exit 0", "exitToOther 0", "enterFromOther 2", "enter 2", "update 2"}));
}

TEST_F(StateMachineTest, RequestingTheActiveStateReentersWithoutTheOtherCallbacks)
{
    Step();
    journal.clear();
    machine.SetState(0);
    Step();
    EXPECT_EQ(journal, (std::vector<std::string>{"exit 0", "enter 0", "update 0"}));
    journal.clear();
    Step();
    EXPECT_EQ(journal, (std::vector<std::string>{"update 0"}));
}

TEST_F(StateMachineTest, ALaterRequestCancelsAReentry)
{
    Step();
    machine.SetState(0);
    machine.SetState(1);
    journal.clear();
    Step();
    EXPECT_EQ(journal.front(), "exit 0");
    EXPECT_EQ(machine.activeState, 1);
}

TEST_F(StateMachineTest, MissingCallbacksAreSkipped)
{
    table[1] = StateDefinition{};
    Step();
    machine.SetState(1);
    journal.clear();
    Step();
    EXPECT_EQ(journal, (std::vector<std::string>{"exit 0", "exitToOther 0"}));
    EXPECT_EQ(machine.activeState, 1);
}

} // namespace
} // namespace kesto
