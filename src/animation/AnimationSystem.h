#pragma once

#include "ecs/ESystem.h"

#include <functional>
#include <set>
#include <string>

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
    // Advances one entity; true when it destroyed the entity. One update passes through the sheet at most once, so
    // no step, however long, keeps it looping.
    bool Advance(const Entity& entity, Animation& animation, Sprite& sprite, float dt);
    // Whether speed × dt is a number of seconds; an infinite or undefined step is reported once per entity name.
    bool IsPlayableStep(const Entity& entity, float speed, float step);

    std::set<std::string, std::less<>> reportedSpeeds; // entity names whose speed was reported
};

} // namespace kesto
