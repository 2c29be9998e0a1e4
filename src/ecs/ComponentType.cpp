#include "ecs/ComponentType.h"

#include <array>

namespace kesto
{

namespace
{

constexpr std::array<const char*, componentTypeCount> typeNames = {
    "Transform",
    "Rigidbody",
    "Sprite",
    "Animation",
    "BehaviorFlying",
    "BehaviorPlayer",
    "SoundEmitter",
    "ParticleEmitter",
    "Gravity",
    "Collider",
    "UI",
    "Button",
    "FlashingLight",
    "Trigger",
    "BehaviorBoid",
    "BoidControllerComponent",
    "ProgressBar",
    "BehaviorFalling",
    "LightSource",
    "Video",
    "Checkpoint",
    "Slider",
    "SliderBackground",
    "CheckBox",
    "Laser",
    "SpriteText",
    "Rotator",
    "SliderBar",
    "ControllerSprite",
};

} // namespace

const char* ComponentTypeName(int index)
{
    if (index < 0 || index >= componentTypeCount)
    {
        return nullptr;
    }
    return typeNames[static_cast<std::size_t>(index)];
}

Signature MakeSignature(std::initializer_list<ComponentType> types)
{
    Signature signature;
    for (ComponentType type : types)
    {
        signature.set(static_cast<std::size_t>(type));
    }
    return signature;
}

} // namespace kesto
