#pragma once

#include "engine/ISystem.h"
#include "engine/Vector.h"

namespace kesto
{

// The view: position, zoom, bounds, follow and shake.
class Camera : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}

    Vec2 GetPosition() const { return position; }
    float GetZoom() const { return zoom; } // the visible world height
    float GetAspect() const { return aspect; }
    void SetPosition(Vec2 value) { position = value; }

private:
    Vec2 position;
    float aspect = 1.0f;
    float zoom = 1600.0f;
};

} // namespace kesto
