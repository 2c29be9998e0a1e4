#pragma once

#include "ecs/Entity.h"

namespace kesto
{

class Animation;
class BehaviorPlayer;
class Collider;
class Gravity;
class ParticleEmitter;
class Rigidbody;
class SoundEmitter;
class Sprite;
class Transform;

// The components the player controller works on, gathered once per frame. Valid for the current update only.
struct PlayerParts
{
    Entity entity;
    BehaviorPlayer& player;
    Transform& transform;
    Rigidbody& body;
    Collider& collider;
    Gravity& gravity;
    Sprite& sprite;
    Animation& animation;
    SoundEmitter* sounds = nullptr;       // may be absent: the player is then silent
    ParticleEmitter* particles = nullptr; // may be absent: the player then shows no particle effects

    bool IsGrounded() const;
};

} // namespace kesto
