#pragma once

#include "FrameTiming.h"
#include "ecs/Entity.h"

#include <random>
#include <vector>

namespace kesto
{
class SystemRegistry;
struct SpriteSource;
} // namespace kesto

namespace kesto::bench
{

// The sprite-throughput scene, the same as the LÖVE peer's (bench/peer/main.lua): N alpha-blended sprites of one
// 32 x 32 texture drawn at one texel per pixel in a 1280 x 720 view, each moving at a constant velocity and bouncing
// off the view's edges; lit by four point lights at the centres of the view's quarters over an ambient light, or
// unlit (emissive). Sprites are made on demand and kept for the next measurement.
class SpriteScene
{
public:
    // `side` is the sprite's size in pixels (32 for the peer's scene, 4 for the many-small-sprites scene).
    SpriteScene(SystemRegistry& registry, SpriteSource& source, bool lit, float side = 32.0f);
    ~SpriteScene();
    SpriteScene(const SpriteScene&) = delete;
    SpriteScene& operator=(const SpriteScene&) = delete;

    // Frame times with `count` sprites, after a few frames to settle.
    Figures Measure(int count, int frames);

    // The largest count that holds 60 fps, by the peer's search: frame time grows about linearly with the count,
    // so each step moves the count to where the line through the empty frame and the last measurement crosses the
    // budget. `trace` prints every step.
    struct Largest
    {
        int count = 0;
        Figures there;
        Figures empty;
    };
    Largest LargestAt60(int frames, bool trace);

private:
    struct Mover
    {
        Entity entity;
        float x = 0.0f; // lower left corner, pixels
        float y = 0.0f;
        float vx = 0.0f; // pixels per second
        float vy = 0.0f;
    };

    void Resize(int count);
    void Move();

    SystemRegistry& registry;
    SpriteSource& source;
    bool lit;
    float side;
    std::vector<Mover> movers; // the first `active` are in the scene
    int active = 0;
    std::vector<Entity> lights;
    std::mt19937 random{7};
};

} // namespace kesto::bench
