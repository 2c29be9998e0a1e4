#pragma once

#include "ecs/ESystem.h"

namespace kesto
{

class Animation;
class Sprite;

// Advances frame animations and writes the current cell into each entity's sprite.
class AnimationSystem : public ESystem
{
public:
    void Init() override {}
    void Update(EntityList& entities, float dt) override;

    // Starts the sprite's current source from its first cell.
    void Play(Animation& animation, Sprite& sprite);

private:
    // Advances one entity; true when it destroyed the entity.
    bool Advance(const Entity& entity, Animation& animation, Sprite& sprite, float dt);
};

} // namespace kesto
