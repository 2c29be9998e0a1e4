#pragma once

namespace kesto
{

class SystemRegistry;

// Whether the player pressed something that skips a splash, a cinematic or the credits this frame: either mouse
// button, Enter, Space or Escape, or the pad's A or Start while a pad is connected.
bool IsSkipPressed(SystemRegistry& registry);

} // namespace kesto
