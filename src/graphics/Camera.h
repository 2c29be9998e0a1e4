#pragma once

#include "ecs/Entity.h"
#include "engine/ISystem.h"
#include "engine/Matrix3.h"
#include "engine/Vector.h"

#include <limits>

namespace kesto
{

// World limits of the view's edges; infinite on an axis that has no limit.
struct CameraBounds
{
    float minX = -std::numeric_limits<float>::infinity();
    float maxX = std::numeric_limits<float>::infinity();
    float minY = -std::numeric_limits<float>::infinity();
    float maxY = std::numeric_limits<float>::infinity();
};

// The single 2D view: a centre, a rotation, a zoom (the visible world height), the screen size, optional world
// bounds and timed effects (glide, zoom glide, follow, edge panning, shake).
class Camera : public ISystem
{
public:
    static constexpr float minZoom = 1e-7f;
    static constexpr float maxZoom = 1e11f;
    static constexpr float startZoom = 1600.0f;

    // Resets to the start view (also the reset a level without camera settings asks for).
    void Init() override;
    // Advances the effects; nothing happens for a step of 0.
    void Update(float dt) override;

    // World to normalised device coordinates; rebuilt when something changed.
    const Matrix3& GetProjView();

    Vec2 GetPosition() const { return position; }
    float GetZoom() const { return zoom; }
    float GetRotation() const { return rotation; } // degrees
    float GetAspect() const { return aspect; }
    Vec2 GetScreenSize() const { return {screenWidth, screenHeight}; }
    void SetPosition(Vec2 value);
    // Clamped to [minZoom, maxZoom].
    void SetZoom(float value);
    void SetRotation(float degrees);
    // Window pixels; the aspect follows when the height is above 0.
    void SetScreenSize(float width, float height);

    // Each axis is (min, max); a reversed pair becomes its midpoint. Makes the camera bounded.
    void SetBounds(Vec2 xRange, Vec2 yRange);
    void SetBoundsX(Vec2 range);
    void SetBoundsY(Vec2 range);
    // Infinite bounds, unbounded.
    void ClearBounds();
    // The point moved so the view lies inside the bounds; unchanged while unbounded or in editor mode.
    Vec2 ClampToBounds(Vec2 point) const;

    // Magnitudes are in normalised device units per axis and are stored as absolute values.
    void Shake(float duration, float startMagnitudeX, float startMagnitudeY, float endMagnitudeX, float endMagnitudeY);
    void Glide(Vec2 target, float duration);
    void ZoomGlide(float targetZoom, float duration);
    // Keeps the view on the entity's Transform plus an offset while no glide runs.
    void Follow(Entity target, Vec2 offset);
    void StopFollowing() { following = false; }
    // Zooms by `amount` (zoom -= amount) keeping the world point under the screen point (pixels) in place.
    void ZoomAt(float amount, Vec2 screenPoint);

    // Pixels (origin top left, y down) to world units and back.
    Vec2 ScreenToWorld(Vec2 pixels);
    Vec2 WorldToScreen(Vec2 world);

    bool IsGliding() const { return glide.active; }
    bool IsShaking() const { return shake.active; }
    bool IsFollowing() const { return following; }

    bool unbounded = true;
    CameraBounds bounds;
    bool edgePan = false; // move the view when the mouse touches a screen edge
    float time = 0.0f;    // sum of the steps seen by Update

private:
    struct Glide2
    {
        Vec2 start;
        Vec2 end;
        float startTime = 0.0f;
        float currentTime = 0.0f;
        float endTime = 0.0f;
        bool active = false;
    };
    struct Glide1
    {
        float start = 0.0f;
        float end = 0.0f;
        float startTime = 0.0f;
        float currentTime = 0.0f;
        float endTime = 0.0f;
        bool active = false;
    };
    struct ShakeState
    {
        Vec2 startMagnitude;
        Vec2 endMagnitude;
        Vec2 drift;
        float startTime = 0.0f;
        float currentTime = 0.0f;
        float endTime = 0.0f;
        bool active = false;
    };

    void EdgePan();
    void ApplyShake();
    // -1, 0 or +1 with equal chances.
    float ShakeDirection();

    Matrix3 projView;
    Vec2 right{1.0f, 0.0f};
    Vec2 up{0.0f, 1.0f};
    Vec2 position;
    float aspect = 1.0f;
    float rotation = 0.0f;
    float screenWidth = 0.0f;
    float screenHeight = 0.0f;
    float zoom = startZoom;
    Glide2 glide;
    Glide1 zoomGlide;
    Entity followTarget = Entity::None();
    Vec2 followOffset;
    bool following = false;
    ShakeState shake;
    bool dirty = true;
};

} // namespace kesto
