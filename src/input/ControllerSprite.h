#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

#include <string>

namespace kesto
{

// Swaps a prompt's sprite image and size while the gamepad is the device in use.
class ControllerSprite : public ComponentOf<ControllerSprite, ComponentType::ControllerSprite>
{
public:
    static const FieldTable<ControllerSprite>& Fields();

    std::string keyboardSprite;   // the source shown before any swap; captured at the first update
    Vec2 keyboardScale;           // the transform scale captured with it
    std::string controllerSprite; // "Sprite": the source shown while the gamepad is in use
    Vec2 controllerSize;          // "Size": the scale then; (0, 0) keeps the current scale
};

} // namespace kesto
