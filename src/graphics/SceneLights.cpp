#include "graphics/SceneLights.h"

#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "graphics/LightSource.h"
#include "graphics/Shader.h"
#include "graphics/Sprite.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

constexpr std::array<const char*, 9> memberSuffixes = {
    "].position", "].color", "].dir", "].angle", "].bidir", "].edgeSmooth", "].constant", "].linear", "].quadratic"};

} // namespace

Vec2 ParallaxPosition(Vec2 position, Vec2 cameraPosition, float depth)
{
    return position + (cameraPosition - position) * depth;
}

LightRecord SceneLights::MakeRecord(const LightSource& light, Vec2 position, Vec2 cameraPosition, float depthScaling)
{
    LightRecord record;
    const Vec2 at = light.depthPositioned ? ParallaxPosition(position, cameraPosition, light.depth) : position;
    record.position = {at.x, at.y, DepthToZ(light.depth, depthScaling)};
    record.color = light.color * light.intensity;
    // The shaders take the cone axis at unit length.
    const float length = std::sqrt(light.dir.x * light.dir.x + light.dir.y * light.dir.y + light.dir.z * light.dir.z);
    record.dir = length > 0.0f ? light.dir * (1.0f / length) : Vec3{1.0f, 0.0f, 0.0f};
    record.angle = light.angle;
    record.bidirectional = light.bidirectional;
    record.edgeSmooth = light.edgeSmooth;
    record.constant = 1.0f;
    record.linear = 4.5f / light.radius;
    record.quadratic = 80.0f / (light.radius * light.radius);
    return record;
}

void SceneLights::Gather(const EntityStore& store, Vec2 cameraPosition, float depthScaling)
{
    records.clear();
    for (const Entity& entity : store.GetEntities({ComponentType::LightSource, ComponentType::Transform}))
    {
        const LightSource* light = store.GetComponent<LightSource>(entity);
        const Transform* transform = store.GetComponent<Transform>(entity);
        records.push_back(MakeRecord(*light, transform->GetTranslation(), cameraPosition, depthScaling));
    }
}

void SceneLights::Upload(const Shader& shader, Vec3 ambient, Vec3 cameraPosition, bool withLights)
{
    shader.Set("camPos", cameraPosition);
    shader.Set("ambient", ambient);
    const std::size_t count = withLights ? records.size() : 0;
    shader.Set("lightCount", static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i)
    {
        const LightRecord& light = records[i];
        const auto& n = NamesOf(i);
        shader.Set(n[0], light.position);
        shader.Set(n[1], light.color);
        shader.Set(n[2], light.dir);
        shader.Set(n[3], light.angle);
        shader.Set(n[4], light.bidirectional ? 1 : 0);
        shader.Set(n[5], light.edgeSmooth);
        shader.Set(n[6], light.constant);
        shader.Set(n[7], light.linear);
        shader.Set(n[8], light.quadratic);
    }
}

const std::array<std::string, 9>& SceneLights::NamesOf(std::size_t index)
{
    while (names.size() <= index)
    {
        const std::string prefix = "lights[" + std::to_string(names.size());
        std::array<std::string, 9> entry;
        std::transform(memberSuffixes.begin(), memberSuffixes.end(), entry.begin(),
                       [&prefix](const char* suffix) { return prefix + suffix; });
        names.push_back(std::move(entry));
    }
    return names[index];
}

} // namespace kesto
