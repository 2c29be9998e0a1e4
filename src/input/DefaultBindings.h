#pragma once

namespace kesto
{

class MasterInputManager;

// The player's actions: "MoveLeft", "MoveRight", "AimUp", "AimDown", "Jump", "Dash", "SlowMo", "Pause", each with its
// keyboard/mouse codes and then its controller code (the aim actions have none). The keyboard alone plays the whole
// game. Called by the player system's Init.
void AddPlayerBindings(MasterInputManager& bindings);

// "leftClick" and "rightClick" on the left and right mouse buttons. Called by the UI input system's Init.
void AddClickBindings(MasterInputManager& bindings);

} // namespace kesto
