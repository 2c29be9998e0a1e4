#pragma once

#include "ecs/Component.h"
#include "engine/Vector.h"

namespace kesto
{

// Makes an entity a point or cone light for the lit sprite shader; the renderer gathers every light each frame.
class LightSource : public ComponentOf<LightSource, ComponentType::LightSource>
{
public:
    static const FieldTable<LightSource>& Fields();
    // Keeps the cone axis of unit length after an edit.
    void NormaliseDirection();

    Vec3 color{1.0f, 1.0f, 1.0f};
    float intensity = 1.0f;
    Vec3 dir{1.0f, 0.0f, 0.0f};   // cone axis
    float angle = 1.0f;           // cosine of the cone's half angle; 1 or more lights every direction
    bool bidirectional = false;   // the cone opens both ways along dir
    float edgeSmooth = 0.0f;      // 0..1, softness of the cone's edge
    float radius = 1000.0f;       // world units; brightness there is 1/85.5 of full
    float depth = 0.0f;           // -1..1, as a sprite's
    bool depthPositioned = false; // the light moves with the depth parallax
};

} // namespace kesto
