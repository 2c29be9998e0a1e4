#pragma once

#include "ecs/Component.h"

#include <memory>

namespace kesto
{

// A fresh default instance of the class of a type index; null outside 0..28.
std::unique_ptr<Component> NewComponent(int index);

} // namespace kesto
