#include "LevelTour.h"

#include "ecs/ECS.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "graphics/Camera.h"
#include "graphics/SpriteSourceManager.h"
#include "levels/LevelManager.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kesto::bench
{

namespace
{

// Corners of the tour: three rows across the reachable view centres, there and back.
std::vector<Vec2> TourCorners(const Camera& camera, Vec2 start)
{
    const float halfWidth = camera.GetZoom() * camera.GetAspect() * 0.5f;
    const float halfHeight = camera.GetZoom() * 0.5f;
    const CameraBounds& b = camera.bounds;
    const bool boundedX = !camera.unbounded && std::isfinite(b.minX) && std::isfinite(b.maxX);
    const bool boundedY = !camera.unbounded && std::isfinite(b.minY) && std::isfinite(b.maxY);
    const float left = boundedX ? b.minX + halfWidth : start.x - 2.0f * halfWidth;
    const float right = boundedX ? b.maxX - halfWidth : start.x + 2.0f * halfWidth;
    const float low = boundedY ? b.minY + halfHeight : start.y;
    const float high = boundedY ? b.maxY - halfHeight : start.y;
    const float middle = (low + high) * 0.5f;
    std::vector<Vec2> corners = {{left, low},    {right, low}, {right, middle},
                                 {left, middle}, {left, high}, {right, high}};
    for (std::size_t i = corners.size() - 1; i-- > 0;)
    {
        corners.push_back(corners[i]);
    }
    for (Vec2& corner : corners)
    {
        // A level narrower than the view keeps it at the clamped place, as the player's camera would.
        corner = camera.ClampToBounds(corner);
    }
    return corners;
}

// The point a share `t` (0..1) of the way along the polyline.
Vec2 AlongPath(const std::vector<Vec2>& corners, float t)
{
    float total = 0.0f;
    for (std::size_t i = 1; i < corners.size(); ++i)
    {
        total += (corners[i] - corners[i - 1]).Length();
    }
    float left = t * total;
    for (std::size_t i = 1; i < corners.size(); ++i)
    {
        const float length = (corners[i] - corners[i - 1]).Length();
        if (left <= length && length > 0.0f)
        {
            return corners[i - 1] + (corners[i] - corners[i - 1]) * (left / length);
        }
        left -= length;
    }
    return corners.back();
}

} // namespace

Figures TourLevel(SystemRegistry& registry, const std::string& level, int frames)
{
    LevelManager& levels = *registry.GetSystem<LevelManager>();
    levels.ChangeLevel(0.0f, 0.0f, level, 0.0f, ScreenTransition::Fade);
    const SpriteSourceManager& sources = *registry.GetSystem<SpriteSourceManager>();
    // The level loads at the end of the next frame; its player places the camera in the one after.
    registry.StepFrame(registry.lastTime + frameStep);
    registry.StepFrame(registry.lastTime + frameStep);
    while (!sources.allLoaded)
    {
        registry.StepFrame(registry.lastTime + frameStep);
    }
    EntityStore& store = registry.GetSystem<ECS>()->entityStore;
    for (const Entity& entity : store.GetEntities({ComponentType::BehaviorPlayer}))
    {
        // The harness holds the camera; the player stays where the level put it.
        store.GetComponent<BehaviorPlayer>(entity)->cameraSpeed = 0.0f;
    }
    Camera& camera = *registry.GetSystem<Camera>();
    const std::vector<Vec2> corners = TourCorners(camera, camera.GetPosition());
    const auto follow = [&](int frame)
    { camera.SetPosition(AlongPath(corners, static_cast<float>(frame) / static_cast<float>(std::max(frames, 1)))); };
    // A quick lap first, so first-use costs (program variants, buffer growth) stay out of the figures.
    const int warmUp = std::max(frames / 4, 1);
    Measure(registry, warmUp, [&](int frame) { follow(frame * frames / warmUp); });
    return Measure(registry, frames, follow);
}

} // namespace kesto::bench
