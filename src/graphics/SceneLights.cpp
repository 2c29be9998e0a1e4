#include "graphics/SceneLights.h"

#include "ecs/EntityStore.h"
#include "ecs/Transform.h"
#include "engine/Trace.h"
#include "graphics/LightSource.h"
#include "graphics/Sprite.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kesto
{

namespace
{

bool IsFinite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Squared distance from a point to the rectangle [low, high] lying in the plane at depth z.
float DistanceSquared(Vec3 point, Vec2 low, Vec2 high, float z)
{
    const float dx = std::max({low.x - point.x, 0.0f, point.x - high.x});
    const float dy = std::max({low.y - point.y, 0.0f, point.y - high.y});
    const float dz = point.z - z;
    return dx * dx + dy * dy + dz * dz;
}

// Distance beyond a light's reach from the camera: the lights kept when there are too many are the nearest.
float Remoteness(const LightRecord& light, Vec2 cameraPosition)
{
    const float dx = light.position.x - cameraPosition.x;
    const float dy = light.position.y - cameraPosition.y;
    return std::sqrt(dx * dx + dy * dy) - light.radius;
}

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
    record.radius = light.radius;
    return record;
}

std::optional<std::string> SceneLights::Unusable(const LightRecord& record)
{
    if (!(record.radius > 0.0f) || !std::isfinite(record.radius) || !std::isfinite(record.linear) ||
        !std::isfinite(record.quadratic))
    {
        std::ostringstream text;
        text << "LightSource radius " << record.radius
             << " lights nothing (it must be a positive number); the light is left out";
        return text.str();
    }
    if (!IsFinite(record.position) || !IsFinite(record.color) || !IsFinite(record.dir) ||
        !std::isfinite(record.angle) || !std::isfinite(record.edgeSmooth))
    {
        return "LightSource has a colour, intensity, direction, angle, edge smoothing or position that is not a finite "
               "number; the light is left out";
    }
    return std::nullopt;
}

void SceneLights::Gather(const EntityStore& store, Vec2 cameraPosition, float depthScaling)
{
    records.clear();
    for (const Entity& entity : store.GetEntities({ComponentType::LightSource, ComponentType::Transform}))
    {
        const LightSource* light = store.GetComponent<LightSource>(entity);
        const Transform* transform = store.GetComponent<Transform>(entity);
        const LightRecord record = MakeRecord(*light, transform->GetTranslation(), cameraPosition, depthScaling);
        const std::optional<std::string> fault = Unusable(record);
        if (!fault)
        {
            records.push_back(record);
        }
        else if (trace && reportedLights.insert(entity.id).second)
        {
            trace->Report("DATA", entity.name, *fault);
        }
    }
    if (records.size() > capacity)
    {
        std::stable_sort(records.begin(), records.end(),
                         [cameraPosition](const LightRecord& a, const LightRecord& b)
                         { return Remoteness(a, cameraPosition) < Remoteness(b, cameraPosition); });
        ReportOnce(reportedCapacity, std::to_string(records.size()) + " lights at once; the " +
                                         std::to_string(records.size() - capacity) +
                                         " farthest from the camera are left out");
        records.resize(capacity);
    }
}

int SceneLights::Reaching(Vec2 low, Vec2 high, float z, LightSlots& slots)
{
    slots.fill(0);
    strongest.clear();
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        const LightRecord& light = records[i];
        const float d2 = DistanceSquared(light.position, low, high, z);
        if (d2 < light.radius * light.radius)
        {
            strongest.emplace_back(d2, i);
        }
    }
    if (strongest.size() > slots.size())
    {
        // The brightest at the box's nearest point stay.
        const auto brightness = [this](const std::pair<float, std::size_t>& entry)
        {
            const LightRecord& light = records[entry.second];
            const float d = std::sqrt(entry.first);
            const float energy = light.color.x + light.color.y + light.color.z;
            return energy / (light.constant + d * (light.linear + light.quadratic * d));
        };
        std::partial_sort(strongest.begin(), strongest.begin() + static_cast<std::ptrdiff_t>(slots.size()),
                          strongest.end(),
                          [&brightness](const auto& a, const auto& b) { return brightness(a) > brightness(b); });
        ReportOnce(reportedSlots, std::to_string(strongest.size()) + " lights reach one sprite; the " +
                                      std::to_string(strongest.size() - slots.size()) + " weakest are left out for it");
        strongest.resize(slots.size());
        std::sort(strongest.begin(), strongest.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    }
    // Cones first: the programs light them apart from the lights that shine every way, which need less work.
    std::stable_partition(strongest.begin(), strongest.end(),
                          [this](const auto& entry) { return IsCone(records[entry.second]); });
    for (std::size_t k = 0; k < strongest.size(); ++k)
    {
        slots[k] = static_cast<std::uint8_t>(strongest[k].second + 1);
    }
    return static_cast<int>(strongest.size());
}

bool SceneLights::IsCone(const LightRecord& light) { return light.angle < 1.0f; }

void SceneLights::PackLight(std::size_t index, std::vector<float>& out) const
{
    const LightRecord& light = records[index];
    // A light that shines every way gets a cone that takes in every direction, and the cone's soft edge goes in as
    // its inverse, so the programs need no branch and no division for it.
    const bool everyWay = !IsCone(light);
    const float edge = std::max(light.edgeSmooth * (1.0f - light.angle), 1e-4f);
    const float values[] = {light.position.x,
                            light.position.y,
                            light.position.z,
                            light.linear,
                            light.color.x,
                            light.color.y,
                            light.color.z,
                            light.quadratic,
                            light.dir.x,
                            light.dir.y,
                            light.dir.z,
                            everyWay ? -2.0f : light.angle,
                            light.constant,
                            light.bidirectional ? 1.0f : 0.0f,
                            everyWay ? 1.0f : 1.0f / edge,
                            0.0f};
    out.insert(out.end(), std::begin(values), std::end(values));
}

void SceneLights::BeginLevel(const std::string& levelName)
{
    level = levelName;
    reportedLights.clear();
    reportedCapacity = false;
    reportedSlots = false;
}

void SceneLights::ReportOnce(bool& reported, const std::string& what)
{
    if (!reported && trace)
    {
        trace->Report("GRAPHICS", level.empty() ? std::string("lights") : level, what);
    }
    reported = true;
}

} // namespace kesto
