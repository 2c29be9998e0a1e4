#pragma once

#include "ecs/Component.h"

namespace kesto
{

// A textured quad drawn by the renderer.
class Sprite : public ComponentOf<Sprite, ComponentType::Sprite>
{
};

} // namespace kesto
