#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>

namespace kesto
{

// Fixed type index of every component class: its table in the entity store and its bit in system signatures.
enum class ComponentType : std::uint8_t
{
    Transform = 0,
    Rigidbody = 1,
    Sprite = 2,
    Animation = 3,
    BehaviorFlying = 4,
    BehaviorPlayer = 5,
    SoundEmitter = 6,
    ParticleEmitter = 7,
    Gravity = 8,
    Collider = 9,
    UI = 10,
    Button = 11,
    FlashingLight = 12,
    TriggerComponent = 13,
    BehaviorBoidComponent = 14,
    BoidControllerComponent = 15,
    ProgressBar = 16,
    BehaviorFalling = 17,
    LightSource = 18,
    Video = 19,
    Checkpoint = 20,
    Slider = 21,
    SliderBackground = 22,
    CheckBox = 23,
    Laser = 24,
    SpriteText = 25,
    Rotator = 26,
    SliderBar = 27,
    ControllerSprite = 28,
};

constexpr int componentTypeCount = 29;

constexpr int IndexOf(ComponentType type) { return static_cast<int>(type); }

// The JSON key and editor label of a type index; null outside 0..28.
const char* ComponentTypeName(int index);

using Signature = std::bitset<componentTypeCount>;

// Builds a signature; an index above 28 is the bitset's out-of-range error.
Signature MakeSignature(std::initializer_list<ComponentType> types);

} // namespace kesto
