#pragma once

#include "ecs/ESystem.h"

#include <array>
#include <string_view>

namespace kesto
{

// Opens the pause menu on the "Pause" action and, on the next one, closes whichever menu is open over the game
// (the pause menu or one it led to) and resumes. Works through the level manager's sublevels; has no entities.
class PauseSystem : public ESystem
{
public:
    // Menus that count as open over the game, in the order they are looked for.
    static constexpr std::array<std::string_view, 6> menuSublevels{
        "PauseMenu", "Options PauseMenu", "Control Pausemenu", "Credit-Sub", "Are you sure2", "Are you sure restart"};

    void Init() override { paused = false; }
    void Update(EntityList& entities, float dt) override;

    bool paused = false;
    bool allowPause = true; // cleared by scripted sequences that must not be interrupted; only opening obeys it

private:
    void Open();
    void Close(std::string_view menu);
};

} // namespace kesto
