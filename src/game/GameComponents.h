#pragma once

#include "ecs/Component.h"

#include <memory>

namespace kesto
{

// A fresh default instance of the game's class for a type index; null outside 0..28.
std::unique_ptr<Component> NewGameComponent(int index);

} // namespace kesto
