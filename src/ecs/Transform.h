#pragma once

#include "ecs/Component.h"
#include "engine/Matrix3.h"
#include "engine/Vector.h"

namespace kesto
{

// Position, rotation and size of an entity in world units, with a cached world matrix.
class Transform : public ComponentOf<Transform, ComponentType::Transform>
{
public:
    static const FieldTable<Transform>& Fields();
    // "Locked?" first, then the rest in JSON order; an edit of anything but "Locked?" sets the changed flag.
    bool Inspect(SystemRegistry* registry) override;

    Vec2 GetTranslation() const { return translation; }
    Vec2 GetPreviousTranslation() const { return previousTranslation; }
    float GetRotation() const { return rotation; }
    Vec2 GetScale() const { return scale; }
    bool IsWonky() const { return wonky; }
    void SetTranslation(Vec2 value);
    void SetPreviousTranslation(Vec2 value) { previousTranslation = value; }
    void SetRotation(float radians);
    void SetScale(Vec2 value);
    void SetWonky(bool value);
    // The matrix is rebuilt at the next request.
    void MarkChanged() { changed = true; }

    // The world matrix: translation x rotation x scale, or translation x scale x rotation when wonky.
    const Matrix3& GetMatrix();

    bool locked = false; // the editor's picking skips the entity

private:
    Vec2 translation{0.0f, 0.0f};
    Vec2 previousTranslation{1.0f, 1.0f}; // position before this frame's physics step
    float rotation = 0.0f;                // radians, counter-clockwise
    Vec2 scale{100.0f, 100.0f};           // size of the unit quad in world units; never negative
    Matrix3 matrix;
    bool changed = true; // the matrix is rebuilt on request while set
    bool wonky = false;  // scale after rotation: rotated non-square entities shear along the world axes
};

} // namespace kesto
