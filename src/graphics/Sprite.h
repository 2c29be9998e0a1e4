#pragma once

#include "animation/SpineSource.h"
#include "ecs/Component.h"
#include "engine/Vector.h"

namespace kesto
{

class Mesh;
class Shader;
class ShaderManager;
struct SpriteSource;

// Makes an entity visible: a cell of a sprite sheet on a quad or a Spine skeleton, lit by the scene's lights or drawn
// emissive.
// Sources, shader and mesh belong to their managers; the sprite only points at them.
class Sprite : public ComponentOf<Sprite, ComponentType::Sprite>
{
public:
    // The plain settings; the mesh, frame, Spine switch and sources are read, written and shown by hand.
    static const FieldTable<Sprite>& Fields();
    void Write(JsonWriter& writer) const override;
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    bool Equals(const Component& other) const override;
    // See SpriteInspect.cpp for the widgets.
    bool Inspect(SystemRegistry* registry) override;

    // Emissive sprites and sprites on an "Additive" sheet are unlit.
    bool IsUnlit() const;
    // "Emissive" for unlit sprites, "Texture" otherwise.
    void ChooseShader(const ShaderManager& shaders);
    // Texture offset of the current frame's cell; (0, 0) without a drawable source.
    Vec2 CellOffset() const;
    // Has what a draw needs: a mesh, a shader and an uploaded texture on a drawable sheet.
    bool CanDraw() const;

    // A normal or specular map with an uploaded texture is set.
    bool HasMaps() const;

    bool usingSpine = false;                // skeleton drawing replaces the sheet cell when set
    SpineInstance spine;                    // the skeleton shown when usingSpine; empty without a loaded one
    SpriteSource* spriteSource = nullptr;   // colour texture and sheet layout
    SpriteSource* normalSource = nullptr;   // normal map, or none
    SpriteSource* specularSource = nullptr; // specular map, or none
    Shader* shader = nullptr;
    Mesh* mesh = nullptr;
    bool emissive = false;
    int frame = 0; // cell index in the sheet, row by row from the top left
    Vec3 blendColor{1.0f, 1.0f, 1.0f};
    float diffuse = 1.0f;   // 0..1
    float specular = 0.5f;  // 0..1
    float shininess = 4.0f; // specular exponent, >= 1
    float alpha = 1.0f;     // 0..1
    int order = 0;          // draw order key; lower draws first
    float depth = 0.0f;     // -1..1; positive is farther away (parallax)
    bool flippedX = false;
    bool flippedY = false;
    Vec2 crop{1.0f, 1.0f};   // fraction of the quad and its texture kept per axis
    Vec2 offset{0.0f, 0.0f}; // shift of the quad in quad widths and heights
};

// Shader depth for a parallax depth: (1 / (1 - depth) - 1) x depthScaling.
float DepthToZ(float depth, float depthScaling);

} // namespace kesto
