#pragma once

#include "ecs/ESystem.h"

#include <cstdint>
#include <unordered_set>

namespace kesto
{

// Moves the respawn point to touched checkpoints: the touched one lights up, every other lit one goes dark.
class CheckpointSystem : public ESystem
{
public:
    void Init() override {}
    // A lit checkpoint whose one-shot lighting animation ended shows its repeating lit sheet.
    void Update(EntityList& entities, float dt) override;
    // handler(player, checkpoint): lights an unlit checkpoint and moves the player's respawn point to it.
    void CollisionHandler(Entity self, Entity other) override;

    static constexpr const char* lightingSheet = "PropCheckpointN013";
    static constexpr const char* litSheet = "PropCheckpointN014";

private:
    // Back to the look of the archetype named like the entity, frame 0, animation stopped.
    void PutOut(const Entity& checkpoint);

    std::unordered_set<std::uint32_t> reportedNoArchetype;
};

} // namespace kesto
