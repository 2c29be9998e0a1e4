#pragma once

#include "engine/Vector.h"

#include <string>

namespace kesto
{

class Mesh;
class Shader;
struct SpriteSource;

// The look and life of one kind of particle, read from "Particles.json". The texture, program and quad belong to
// their managers; a template only points at them (each may be null when the file names something unknown).
struct ParticleTemplate
{
    std::string name;
    SpriteSource* spriteSource = nullptr;
    Shader* shader = nullptr;
    Vec2 meshExtents{1.0f, 1.0f}; // texture extents of the quad: (1, 1) a whole texture, less for one sheet cell
    Mesh* mesh = nullptr;
    float lifetime = 1.0f;     // seconds a particle lives
    float gravityForce = 0.0f; // added to the downward pull at every update of a particle's life
    bool gravity = false;
    Vec4 startColor{1.0f, 1.0f, 1.0f, 1.0f}; // rgba at birth
    Vec4 endColor{1.0f, 1.0f, 1.0f, 1.0f};   // rgba at death
    Vec2 startScale{100.0f, 100.0f};         // world units
    Vec2 endScale{100.0f, 100.0f};
    Vec2 scaleRate{0.0f, 0.0f}; // world units per second, from the scales and the lifetime

    // (endScale - startScale) / lifetime, or (1, 1) for a lifetime of 0.
    void ComputeScaleRate();
};

} // namespace kesto
