#pragma once

namespace kesto
{
class SystemRegistry;
}

namespace kesto::bench
{

// The game's flock birds and flying enemies over an empty stage: 500 boids flocking in the view and 50 enemies
// circling and lunging at a floating player, the whole frame timed; then the boid update alone for growing flocks
// at one density, which shows how the neighbour search scales.
void ActorScene(SystemRegistry& registry, int frames);

} // namespace kesto::bench
