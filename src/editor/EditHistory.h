#pragma once

#include "editor/LevelSnapshot.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace kesto
{

// The editor's undo and redo: the level's state after each finished edit, oldest first. A new edit drops the states
// that could have been redone; past the capacity the oldest state goes.
class EditHistory
{
public:
    static constexpr std::size_t capacity = 128; // states kept, so 127 edits can be undone

    // Starts over from a freshly loaded (or saved) level.
    void Reset(LevelSnapshot loaded);
    void Push(LevelSnapshot edited);
    // The state to restore; null when there is nothing to undo or redo.
    const LevelSnapshot* Undo();
    const LevelSnapshot* Redo();
    bool CanUndo() const { return at > 0; }
    bool CanRedo() const { return at + 1 < states.size(); }
    const LevelSnapshot& Current() const { return states.at(at); }
    std::size_t Size() const { return states.size(); }

    // The current state is what the files hold.
    void MarkSaved() { savedAt = at; }
    bool IsAtSaved() const { return savedAt == at; }

private:
    std::deque<LevelSnapshot> states;
    std::size_t at = 0;
    std::optional<std::size_t> savedAt; // none once the saved state was dropped
};

} // namespace kesto
