#pragma once

#include "ecs/Entity.h"
#include "engine/Vector.h"

#include <array>
#include <string>
#include <vector>

namespace kesto
{

class EntityStore;
class LightSource;
class Shader;

// One light as the lit shader takes it.
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
};

// Drawn position of an object at `position` with parallax depth `depth`: it lags behind the camera by `depth`.
Vec2 ParallaxPosition(Vec2 position, Vec2 cameraPosition, float depth);

// The lights of the frame, gathered once and uploaded once per program.
class SceneLights
{
public:
    static LightRecord MakeRecord(const LightSource& light, Vec2 position, Vec2 cameraPosition, float depthScaling);

    // Every entity with a LightSource and a Transform, in store order.
    void Gather(const EntityStore& store, Vec2 cameraPosition, float depthScaling);
    // Sets "camPos", "ambient", "lightCount" and the "lights[i]" members on the current program. With
    // `withLights` false the count is 0 (nothing but ambient light).
    void Upload(const Shader& shader, Vec3 ambient, Vec3 cameraPosition, bool withLights = true);

    std::vector<LightRecord> records;

private:
    const std::array<std::string, 9>& NamesOf(std::size_t index);

    std::vector<std::array<std::string, 9>> names; // "lights[i].position" ..., built once per index
};

} // namespace kesto
