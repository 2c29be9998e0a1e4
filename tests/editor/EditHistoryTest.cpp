#include "editor/EditHistory.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto
{
namespace
{

LevelSnapshot State(int n) { return LevelSnapshot{{std::to_string(n)}, {}, -1, -1}; }

std::string Text(const LevelSnapshot* state) { return state ? state->groups.at(0) : "none"; }

TEST(EditHistory, UndoesAndRedoesAndANewEditDropsTheRedoableStates)
{
    EditHistory history;
    history.Reset(State(0));
    history.Push(State(1));
    history.Push(State(2));
    EXPECT_EQ(Text(history.Undo()), "1");
    EXPECT_EQ(Text(history.Undo()), "0");
    EXPECT_EQ(Text(history.Undo()), "none");
    EXPECT_EQ(Text(history.Redo()), "1");
    history.Push(State(3));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(Text(history.Undo()), "1");
    EXPECT_EQ(Text(history.Redo()), "3");
}

TEST(EditHistory, KeepsItsCapacityOfEditsAndKnowsWhereTheSavedStateIs)
{
    EditHistory history;
    history.Reset(State(0));
    EXPECT_TRUE(history.IsAtSaved());
    history.Push(State(1));
    EXPECT_FALSE(history.IsAtSaved());
    history.Undo();
    EXPECT_TRUE(history.IsAtSaved()) << "undoing back to the loaded state leaves nothing unsaved";
    history.Redo();
    history.MarkSaved();
    const int edits = 300;
    for (int n = 2; n <= edits; ++n)
    {
        history.Push(State(n));
    }
    EXPECT_EQ(history.Size(), EditHistory::capacity);
    int undone = 0;
    while (history.Undo())
    {
        ++undone;
    }
    EXPECT_GE(undone, 100);
    EXPECT_EQ(undone, static_cast<int>(EditHistory::capacity) - 1);
    EXPECT_EQ(history.Current().groups.at(0), std::to_string(edits - undone));
    EXPECT_FALSE(history.IsAtSaved()) << "the saved state fell out of the history";
}

} // namespace
} // namespace kesto
