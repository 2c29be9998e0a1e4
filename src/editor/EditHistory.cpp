#include "editor/EditHistory.h"

#include <utility>

namespace kesto
{

void EditHistory::Reset(LevelSnapshot loaded)
{
    states.clear();
    states.push_back(std::move(loaded));
    at = 0;
    savedAt = 0;
}

void EditHistory::Push(LevelSnapshot edited)
{
    states.resize(at + 1);
    if (savedAt && *savedAt > at)
    {
        savedAt.reset();
    }
    states.push_back(std::move(edited));
    ++at;
    if (states.size() > capacity)
    {
        states.pop_front();
        --at;
        if (savedAt)
        {
            savedAt = *savedAt == 0 ? std::nullopt : std::optional<std::size_t>(*savedAt - 1);
        }
    }
}

const LevelSnapshot* EditHistory::Undo()
{
    if (!CanUndo())
    {
        return nullptr;
    }
    return &states[--at];
}

const LevelSnapshot* EditHistory::Redo()
{
    if (!CanRedo())
    {
        return nullptr;
    }
    return &states[++at];
}

} // namespace kesto
