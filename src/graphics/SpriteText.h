#pragma once

#include "ecs/Component.h"

namespace kesto
{

// Digits drawn from a sprite sheet.
class SpriteText : public ComponentOf<SpriteText, ComponentType::SpriteText>
{
};

} // namespace kesto
