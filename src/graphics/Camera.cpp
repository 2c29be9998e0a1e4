#include "graphics/Camera.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/Random.h"
#include "engine/SystemRegistry.h"
#include "graphics/WindowHandler.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

constexpr float degreesToRadians = 0.017453292f;
constexpr float edgePanThreshold = 0.95f;

Vec2 MidpointIfReversed(Vec2 range)
{
    if (range.x > range.y)
    {
        const float middle = (range.x + range.y) * 0.5f;
        return {middle, middle};
    }
    return range;
}

} // namespace

void Camera::Init()
{
    const WindowHandler* window = registry->GetSystem<WindowHandler>();
    unbounded = true;
    bounds = CameraBounds{};
    edgePan = false;
    time = 0.0f;
    projView = Matrix3::Identity();
    right = {1.0f, 0.0f};
    up = {0.0f, 1.0f};
    position = {0.0f, 0.0f};
    rotation = 0.0f;
    zoom = startZoom;
    glide = Glide2{};
    zoomGlide = Glide1{};
    followTarget = Entity::None();
    followOffset = {0.0f, 0.0f};
    following = false;
    shake = ShakeState{};
    screenWidth = 0.0f;
    screenHeight = 0.0f;
    SetScreenSize(static_cast<float>(window->width), static_cast<float>(window->height));
    dirty = true;
}

void Camera::Update(float dt)
{
    if (dt == 0.0f)
    {
        return;
    }
    time += dt;
    if (glide.active)
    {
        glide.currentTime = time;
        if (time >= glide.endTime)
        {
            position = glide.end;
            glide.active = false;
        }
        else
        {
            const float t = (time - glide.startTime) / (glide.endTime - glide.startTime);
            position = glide.start + (glide.end - glide.start) * t;
        }
        dirty = true;
    }
    if (zoomGlide.active)
    {
        zoomGlide.currentTime = time;
        if (time >= zoomGlide.endTime)
        {
            SetZoom(zoomGlide.end);
            zoomGlide.active = false;
        }
        else
        {
            const float t = (time - zoomGlide.startTime) / (zoomGlide.endTime - zoomGlide.startTime);
            SetZoom(zoomGlide.start + (zoomGlide.end - zoomGlide.start) * t);
        }
    }
    if (!glide.active && following)
    {
        Transform* target = registry->GetSystem<ECS>()->entityStore.GetComponent<Transform>(followTarget);
        if (target)
        {
            SetPosition(target->GetTranslation() + followOffset);
        }
        else
        {
            // The followed entity is gone (level change); a reference to it must not outlive it.
            following = false;
        }
    }
    if (edgePan)
    {
        EdgePan();
    }
    if (shake.active)
    {
        ApplyShake();
    }
}

const Matrix3& Camera::GetProjView()
{
    if (dirty)
    {
        const float r = rotation * degreesToRadians;
        right = {std::cos(r), std::sin(r)};
        up = {std::cos(r + 90.0f * degreesToRadians), std::sin(r + 90.0f * degreesToRadians)};
        Matrix3 camera;
        camera.m = {right.x, right.y, 0.0f, up.x, up.y, 0.0f, position.x, position.y, 1.0f};
        projView = Matrix3::Scale({2.0f / (zoom * aspect), 2.0f / zoom}) * camera.Inverse();
        dirty = false;
    }
    return projView;
}

void Camera::SetPosition(Vec2 value)
{
    position = value;
    dirty = true;
}

void Camera::SetZoom(float value)
{
    zoom = std::clamp(value, minZoom, maxZoom);
    dirty = true;
}

void Camera::SetRotation(float degrees)
{
    rotation = degrees;
    dirty = true;
}

void Camera::SetScreenSize(float width, float height)
{
    if (width == screenWidth && height == screenHeight)
    {
        return;
    }
    screenWidth = width;
    screenHeight = height;
    if (height > 0.0f)
    {
        aspect = width / height;
    }
    dirty = true;
}

void Camera::SetBounds(Vec2 xRange, Vec2 yRange)
{
    SetBoundsX(xRange);
    SetBoundsY(yRange);
}

void Camera::SetBoundsX(Vec2 range)
{
    const Vec2 r = MidpointIfReversed(range);
    bounds.minX = r.x;
    bounds.maxX = r.y;
    unbounded = false;
}

void Camera::SetBoundsY(Vec2 range)
{
    const Vec2 r = MidpointIfReversed(range);
    bounds.minY = r.x;
    bounds.maxY = r.y;
    unbounded = false;
}

void Camera::ClearBounds()
{
    bounds = CameraBounds{};
    unbounded = true;
}

Vec2 Camera::ClampToBounds(Vec2 point) const
{
    if (unbounded || registry->GetSystem<ECS>()->systemStore.editorMode)
    {
        return point;
    }
    const float halfWidth = aspect * zoom * 0.5f;
    const float halfHeight = zoom * 0.5f;
    // The minimum is tested first, so a view wider than the bounds sits against the low edge.
    if (bounds.minX > point.x - halfWidth)
    {
        point.x = bounds.minX + halfWidth;
    }
    else if (bounds.maxX < point.x + halfWidth)
    {
        point.x = bounds.maxX - halfWidth;
    }
    if (bounds.minY > point.y - halfHeight)
    {
        point.y = bounds.minY + halfHeight;
    }
    else if (bounds.maxY < point.y + halfHeight)
    {
        point.y = bounds.maxY - halfHeight;
    }
    return point;
}

void Camera::Shake(float duration, float startMagnitudeX, float startMagnitudeY, float endMagnitudeX,
                   float endMagnitudeY)
{
    shake.startMagnitude = {std::abs(startMagnitudeX), std::abs(startMagnitudeY)};
    shake.endMagnitude = {std::abs(endMagnitudeX), std::abs(endMagnitudeY)};
    shake.drift = {0.0f, 0.0f};
    shake.startTime = time;
    shake.currentTime = time;
    shake.endTime = time + duration;
    shake.active = true;
}

void Camera::Glide(Vec2 target, float duration) { glide = {position, target, time, time, time + duration, true}; }

void Camera::ZoomGlide(float targetZoom, float duration)
{
    zoomGlide = {zoom, targetZoom, time, time, time + duration, true};
}

void Camera::Follow(Entity target, Vec2 offset)
{
    followTarget = std::move(target);
    followOffset = offset;
    following = true;
}

void Camera::ZoomAt(float amount, Vec2 screenPoint)
{
    const Vec2 before = ScreenToWorld(screenPoint);
    SetZoom(zoom - amount);
    const Vec2 after = ScreenToWorld(screenPoint);
    SetPosition(position + (before - after));
}

Vec2 Camera::ScreenToWorld(Vec2 pixels)
{
    const Vec2 ndc{2.0f * pixels.x / screenWidth - 1.0f, 1.0f - 2.0f * pixels.y / screenHeight};
    return GetProjView().Inverse().TransformPoint(ndc);
}

Vec2 Camera::WorldToScreen(Vec2 world)
{
    const Vec2 ndc = GetProjView().TransformPoint(world);
    return {(ndc.x + 1.0f) * 0.5f * screenWidth, (1.0f - ndc.y) * 0.5f * screenHeight};
}

void Camera::EdgePan()
{
    GLFWwindow* window = registry->GetSystem<WindowHandler>()->window;
    if (!window || screenWidth <= 0.0f || screenHeight <= 0.0f)
    {
        return;
    }
    double px = 0.0;
    double py = 0.0;
    glfwGetCursorPos(window, &px, &py);
    const float x = 2.0f * static_cast<float>(px) / screenWidth - 1.0f;
    const float y = 1.0f - 2.0f * static_cast<float>(py) / screenHeight;
    const float step = zoom / startZoom * 3.0f;
    Vec2 moved = position;
    if (x < -edgePanThreshold)
    {
        moved.x -= step;
    }
    else if (x > edgePanThreshold)
    {
        moved.x += step;
    }
    if (y < -edgePanThreshold)
    {
        moved.y -= step;
    }
    else if (y > edgePanThreshold)
    {
        moved.y += step;
    }
    if (!(moved == position))
    {
        SetPosition(ClampToBounds(moved));
    }
}

float Camera::ShakeDirection()
{
    Random* random = registry->GetSystem<Random>();
    // The top of the closed range is drawn again so the three outcomes are equally likely.
    float draw = std::floor(random->RandomFloat(0.0f, 3.0f));
    while (draw >= 3.0f)
    {
        draw = std::floor(random->RandomFloat(0.0f, 3.0f));
    }
    return draw - 1.0f;
}

void Camera::ApplyShake()
{
    shake.currentTime = time;
    if (time >= shake.endTime)
    {
        shake.drift = {0.0f, 0.0f};
        shake.active = false;
        return;
    }
    const float progress = (time - shake.startTime) / (shake.endTime - shake.startTime);
    const Vec2 magnitude = shake.startMagnitude + (shake.endMagnitude - shake.startMagnitude) * progress;
    const float dirX = ShakeDirection();
    const float dirY = ShakeDirection();
    const Vec2 offset{dirX * magnitude.x, dirY * magnitude.y};
    const Vec2 shaken = GetProjView().Inverse().TransformPoint(offset);
    SetPosition(shaken + shake.drift * progress);
}

} // namespace kesto
