#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BehaviorPlayerSystem.h"
#include "graphics/Camera.h"
#include "levels/LevelManager.h"

#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// (zoom / 1600)²: offsets and smoothing scale with how far the camera is zoomed out.
float ZoomFactor(float zoom) { return zoom * zoom / 2560000.0f; }

} // namespace

void BehaviorPlayerSystem::PlaceCameraOnFirstFrame(PlayerParts& p)
{
    if (!p.player.firstFrame)
    {
        return;
    }
    p.player.respawnPoint = p.transform.GetTranslation();
    p.player.firstFrame = false;
    registry->GetSystem<Camera>()->SetPosition(CameraTarget(p));
}

Vec2 BehaviorPlayerSystem::CameraTarget(const PlayerParts& p) const
{
    const Camera& camera = *registry->GetSystem<Camera>();
    return camera.ClampToBounds(p.transform.GetTranslation() + p.player.cameraOffset * ZoomFactor(camera.GetZoom()));
}

void BehaviorPlayerSystem::FollowWithCamera(PlayerParts& p, float dt)
{
    Camera& camera = *registry->GetSystem<Camera>();
    const float z = ZoomFactor(camera.GetZoom());
    const Vec2 target = p.transform.GetTranslation() + p.player.cameraOffset * z;
    Vec2 position = camera.GetPosition();
    const Vec2 toTarget = target - position;
    const float distance = toTarget.Length();
    if (distance > 0.0f && p.player.cameraSpeed > 0.0f && dt / z > 0.0f)
    {
        // The remaining distance shrinks by a factor of cameraSpeed per second of zoom-scaled time.
        const float travel = distance - distance / std::pow(p.player.cameraSpeed, dt / z);
        position += toTarget * (travel / distance);
    }
    camera.SetPosition(camera.ClampToBounds(position));

    const float targetZoom = registry->GetSystem<LevelManager>()->zoom * p.player.zoomScalar;
    float zoom = camera.GetZoom();
    if (zoom != targetZoom && p.player.zoomSpeed > 0.0f && dt > 0.0f)
    {
        zoom = targetZoom - (targetZoom - zoom) / std::pow(p.player.zoomSpeed, dt);
    }
    camera.SetZoom(std::clamp(zoom, Camera::minZoom, Camera::maxZoom));
}

} // namespace kesto
