#pragma once

#include "ecs/Component.h"

#include <memory>
#include <string_view>

namespace kesto
{

// A fresh default instance of the game's class for a type index; null outside 0..28. Components that name files
// (videos) find them under `assetRoot`.
std::unique_ptr<Component> NewGameComponent(int index, std::string_view assetRoot);

} // namespace kesto
