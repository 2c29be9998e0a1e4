#pragma once

#include "ecs/ESystem.h"
#include "engine/Vector.h"

#include <cstdint>
#include <vector>

namespace kesto
{

class EntityStore;

// Edits the level in place with the mouse while the engine is in editor mode: picks an entity, moves it (Left Shift
// keeps one axis, Left Control snaps to neighbours' corners), resizes it from its edges (Left Shift keeps the
// aspect), duplicates it (Ctrl+D), deletes it (Delete), pans (middle button) and zooms (wheel). Draws no window.
class EditorSystem : public ESystem
{
public:
    // Which edges of the selection the cursor is near.
    struct EdgeFlags
    {
        bool top = false;
        bool bottom = false;
        bool left = false;
        bool right = false;

        bool Any() const { return top || bottom || left || right; }
    };

    void Init() override {}
    void Update(EntityList& entities, float dt) override;

    // The entity under `point` (world units): locked entities are passed over, an entity without a sprite is taken
    // at once, otherwise the highest sprite order wins (the later entity on ties); sprites are hit where their depth
    // parallax draws them. Entity::None() when nothing is hit.
    Entity Pick(EntityList& entities, Vec2 point) const;
    // The smallest corner-to-corner offset (within zoom x 0.03) that puts the moved entity's corners on those of
    // another entity at depth 0; (0, 0) when none is that close.
    Vec2 SnapOffset(EntityList& entities, const Entity& moved) const;

    void Select(const Entity& entity);
    void ClearSelection();
    const Entity& Selection() const { return selection; }
    // A move or resize drag is running: edits of this gesture are not finished yet.
    bool IsDragging() const { return moving || resizing; }

    // Marks the level changed, sets the registry's unsaved changes and counts the edit.
    void NoteEdit();
    // Counts every edit made through NoteEdit; the editor's history compares it to see that something changed.
    std::uint64_t EditCount() const { return edits; }

    // Set each frame by the window layer: the mouse or keyboard belongs to an editor window this frame, so the
    // level view must not act on them.
    bool interfaceHasMouse = false;
    bool interfaceHasKeyboard = false;

    Vec2 previousCursor; // world units
    Vec2 cursor;         // world units, this frame
    bool moving = false;
    bool resizing = false;
    Vec2 dragStartPosition;
    Vec2 dragStartScale;
    Vec2 dragStartCursor;
    EdgeFlags edges;

private:
    void ReadCursor();
    void Pan();
    void Zoom();
    void UpdateSelection(EntityList& entities);
    void UpdateResize(EntityStore& store);
    void UpdateMove(EntityList& entities, EntityStore& store);
    void DeleteSelection(EntityStore& store);
    void DuplicateSelection(EntityStore& store);
    void DrawOutline(EntityStore& store);
    void ShowCursorShape(int shape);

    Entity selection = Entity::None();
    std::uint64_t edits = 0;
    int cursorShape = 0; // the GLFW cursor shape shown over a handle; 0 for the window's own arrow
};

} // namespace kesto
