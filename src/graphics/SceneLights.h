#pragma once

#include "ecs/Entity.h"
#include "engine/Vector.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace kesto
{

class EntityStore;
class LightSource;
class Trace;

// One light as the lit programs take it.
struct LightRecord
{
    Vec3 position; // z from the light's depth
    Vec3 color;    // already multiplied by the intensity
    Vec3 dir;
    float angle = 1.0f;
    bool bidirectional = false;
    float edgeSmooth = 0.0f;
    float constant = 1.0f; // attenuation 1 / (constant + linear d + quadratic d^2)
    float linear = 0.0f;
    float quadratic = 0.0f;
    float radius = 0.0f; // world units; the light is left out of whatever lies farther away
};

// Drawn position of an object at `position` with parallax depth `depth`: it lags behind the camera by `depth`.
Vec2 ParallaxPosition(Vec2 position, Vec2 cameraPosition, float depth);

// Light indices of one lit submission: 1-based positions in the frame's uploaded lights, 0 for an empty slot.
using LightSlots = std::array<std::uint8_t, 8>;

// The lights of the frame, gathered once. Each lit submission is lit only by the lights whose radius reaches its box,
// so a pixel pays for the few lights near it rather than for every light of the level.
class SceneLights
{
public:
    // Lights one frame can use: a light slot holds a byte, and finding the lights of a sprite takes a look at each.
    static constexpr std::size_t capacity = 254;

    static LightRecord MakeRecord(const LightSource& light, Vec2 position, Vec2 cameraPosition, float depthScaling);
    // Why a light would put NaN or infinity into the picture (a radius of 0, a value that is not finite), or none.
    static std::optional<std::string> Unusable(const LightRecord& record);

    // Every entity with a LightSource and a Transform, in store order. Lights that light nothing are skipped and
    // reported once per level; past `capacity` the lights farthest from the camera are left out (reported once).
    void Gather(const EntityStore& store, Vec2 cameraPosition, float depthScaling);
    // A light with a cone (angle below 1) rather than one that shines every way.
    static bool IsCone(const LightRecord& light);

    // Fills `slots` with the lights whose radius reaches the rectangle [low, high] in the plane at shader depth z,
    // the strongest when more reach it than there are slots (reported once per level), cones first, otherwise in
    // upload order; returns how many.
    int Reaching(Vec2 low, Vec2 high, float z, LightSlots& slots);
    // Appends record `index` as the lit programs' "lights" uniform takes it: four vec4 (see Texture.frag).
    void PackLight(std::size_t index, std::vector<float>& out) const;
    // A new level: its bad lights and caps are reported again, under its name.
    void BeginLevel(const std::string& levelName);

    std::vector<LightRecord> records;
    Trace* trace = nullptr; // where reports go; none reports nothing

private:
    void ReportOnce(bool& reported, const std::string& what);

    std::string level;
    std::unordered_set<std::uint32_t> reportedLights; // entities whose bad values were reported this level
    bool reportedCapacity = false;
    bool reportedSlots = false;
    std::vector<std::pair<float, std::size_t>> strongest; // scratch of Reaching
};

} // namespace kesto
