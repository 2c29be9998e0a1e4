#include "editor/EditorSystem.h"

#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"
#include "graphics/RendererSystem.h"
#include "graphics/Sprite.h"
#include "graphics/WindowHandler.h"
#include "input/PCInputManager.h"
#include "levels/LevelManager.h"
#include "physics/Collider.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kesto
{

namespace
{

constexpr float handleShare = 0.01f;           // of the zoom: how near an edge the cursor grabs it
constexpr float snapShare = 0.03f;             // of the zoom: how near corners snap
constexpr Vec3 outlineColor{1.0f, 1.0f, 1.0f}; // apart from the colliders' and triggers' debug boxes

struct Rect
{
    Vec2 centre;
    Vec2 size;

    float Left() const { return centre.x - size.x * 0.5f; }
    float Right() const { return centre.x + size.x * 0.5f; }
    float Bottom() const { return centre.y - size.y * 0.5f; }
    float Top() const { return centre.y + size.y * 0.5f; }
    bool Contains(Vec2 point) const
    {
        return point.x >= Left() && point.x <= Right() && point.y >= Bottom() && point.y <= Top();
    }
    std::array<Vec2, 4> Corners() const
    {
        return {Vec2{Left(), Bottom()}, Vec2{Right(), Bottom()}, Vec2{Left(), Top()}, Vec2{Right(), Top()}};
    }
};

Rect TransformRect(const Transform& transform) { return {transform.GetTranslation(), transform.GetScale()}; }

Rect ColliderRect(const Transform& transform, const Collider& collider)
{
    const Vec2 scale = transform.GetScale();
    return {transform.GetTranslation() + collider.GetOffset(),
            {scale.x * collider.GetScale().x, scale.y * collider.GetScale().y}};
}

// The corners snapping compares: the transform's, and the collider's when both entities have one.
std::vector<Vec2> SnapCorners(const EntityStore& store, const Entity& entity, bool withCollider)
{
    const Transform& transform = *store.GetComponent<Transform>(entity);
    std::vector<Vec2> corners;
    for (Vec2 corner : TransformRect(transform).Corners())
    {
        corners.push_back(corner);
    }
    const Collider* collider = store.GetComponent<Collider>(entity);
    if (withCollider && collider)
    {
        for (Vec2 corner : ColliderRect(transform, *collider).Corners())
        {
            corners.push_back(corner);
        }
    }
    return corners;
}

float Length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

} // namespace

void EditorSystem::Update(EntityList& entities, float)
{
    EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    // The selection may have been destroyed by someone else (a level change, an undo).
    if (selection.IsValid() && !store.HasComponent<Transform>(selection))
    {
        ClearSelection();
    }
    ReadCursor();
    Pan();
    Zoom();
    if (!moving && !resizing)
    {
        UpdateSelection(entities);
    }
    if (selection.IsValid() && !moving)
    {
        UpdateResize(store);
    }
    else
    {
        ShowCursorShape(GLFW_ARROW_CURSOR);
    }
    if (selection.IsValid() && !resizing)
    {
        UpdateMove(entities, store);
    }
    const PCInputManager& input = *registry->GetSystem<PCInputManager>();
    if (!interfaceHasKeyboard && input.IsKeyTriggered(GLFW_KEY_DELETE))
    {
        DeleteSelection(store);
    }
    if (!interfaceHasKeyboard && input.IsKeyDown(GLFW_KEY_LEFT_CONTROL) && input.IsKeyTriggered(GLFW_KEY_D))
    {
        DuplicateSelection(store);
    }
    DrawOutline(store);
}

void EditorSystem::ReadCursor()
{
    Camera& camera = *registry->GetSystem<Camera>();
    const Vec2 screen = camera.GetScreenSize();
    previousCursor = cursor;
    cursor = registry->GetSystem<PCInputManager>()->GetMousePosition(camera.GetProjView(), screen.x, screen.y);
}

void EditorSystem::Pan()
{
    if (!registry->GetSystem<PCInputManager>()->IsKeyDown(GLFW_MOUSE_BUTTON_MIDDLE))
    {
        return;
    }
    Camera& camera = *registry->GetSystem<Camera>();
    camera.SetPosition(camera.GetPosition() + (previousCursor - cursor));
    // The world moved with the mouse, so the point under it is the one that was there before.
    cursor = previousCursor;
}

void EditorSystem::Zoom()
{
    const int steps = registry->GetSystem<PCInputManager>()->scroll;
    if (steps == 0 || interfaceHasMouse)
    {
        return;
    }
    Camera& camera = *registry->GetSystem<Camera>();
    camera.ZoomAt(static_cast<float>(steps) * camera.GetZoom() / 10.0f, camera.WorldToScreen(cursor));
    ReadCursor();
    previousCursor = cursor;
}

void EditorSystem::UpdateSelection(EntityList& entities)
{
    const PCInputManager& input = *registry->GetSystem<PCInputManager>();
    if (interfaceHasMouse)
    {
        return;
    }
    if (input.IsKeyReleased(GLFW_MOUSE_BUTTON_LEFT))
    {
        selection = Pick(entities, cursor);
        moving = false;
    }
    if (input.IsKeyReleased(GLFW_MOUSE_BUTTON_RIGHT) || (!interfaceHasKeyboard && input.IsKeyReleased(GLFW_KEY_ESCAPE)))
    {
        ClearSelection();
    }
}

Entity EditorSystem::Pick(EntityList& entities, Vec2 point) const
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const Vec2 cameraPosition = registry->GetSystem<Camera>()->GetPosition();
    Entity best = Entity::None();
    int bestOrder = std::numeric_limits<int>::min();
    for (const Entity& entity : entities)
    {
        const Transform* transform = store.GetComponent<Transform>(entity);
        if (!transform || transform->locked)
        {
            continue;
        }
        const Sprite* sprite = store.GetComponent<Sprite>(entity);
        Rect rect = TransformRect(*transform);
        if (sprite)
        {
            rect.centre = rect.centre + (cameraPosition - rect.centre) * sprite->depth;
        }
        if (!rect.Contains(point))
        {
            continue;
        }
        if (!sprite)
        {
            return entity;
        }
        if (!best.IsValid() || sprite->order >= bestOrder)
        {
            best = entity;
            bestOrder = sprite->order;
        }
    }
    return best;
}

void EditorSystem::UpdateResize(EntityStore& store)
{
    Transform& transform = *store.GetComponent<Transform>(selection);
    const PCInputManager& input = *registry->GetSystem<PCInputManager>();
    if (!resizing)
    {
        const float m = registry->GetSystem<Camera>()->GetZoom() * handleShare;
        const Rect rect = TransformRect(transform);
        // An edge is grabbed along its own length (and the corners), not anywhere level with it.
        const bool besideX = cursor.x > rect.Left() - m && cursor.x < rect.Right() + m;
        const bool besideY = cursor.y > rect.Bottom() - m && cursor.y < rect.Top() + m;
        edges.right = besideY && cursor.x - rect.Right() > 0.0f && cursor.x - rect.Right() < m;
        edges.left = besideY && cursor.x - rect.Left() > -m && cursor.x - rect.Left() < 0.0f;
        edges.top = besideX && cursor.y - rect.Top() > 0.0f && cursor.y - rect.Top() < m;
        edges.bottom = besideX && cursor.y - rect.Bottom() > -m && cursor.y - rect.Bottom() < 0.0f;
        const bool horizontal = edges.left || edges.right;
        const bool vertical = edges.top || edges.bottom;
        ShowCursorShape(horizontal && vertical ? GLFW_CROSSHAIR_CURSOR
                        : horizontal           ? GLFW_HRESIZE_CURSOR
                        : vertical             ? GLFW_VRESIZE_CURSOR
                                               : GLFW_ARROW_CURSOR);
        if (edges.Any() && !interfaceHasMouse && input.IsKeyTriggered(GLFW_MOUSE_BUTTON_LEFT))
        {
            resizing = true;
            dragStartPosition = transform.GetTranslation();
            dragStartScale = transform.GetScale();
            dragStartCursor = cursor;
        }
        return;
    }
    if (!input.IsKeyDown(GLFW_MOUSE_BUTTON_LEFT))
    {
        resizing = false;
        return;
    }
    const Vec2 moved = cursor - dragStartCursor;
    Vec2 change{edges.right  ? moved.x
                : edges.left ? -moved.x
                             : 0.0f,
                edges.top      ? moved.y
                : edges.bottom ? -moved.y
                               : 0.0f};
    const float startLength = Length(dragStartScale);
    if (input.IsKeyDown(GLFW_KEY_LEFT_SHIFT) && startLength > 0.0f)
    {
        // Along the start scale's direction, so the aspect ratio stays.
        const Vec2 direction = dragStartScale * (1.0f / startLength);
        change = direction * (change.x * direction.x + change.y * direction.y);
    }
    const Vec2 scale{std::max(0.0f, dragStartScale.x + change.x), std::max(0.0f, dragStartScale.y + change.y)};
    // The clamped change, so the opposite edge stays put even when the size stops at 0.
    const Vec2 grown = scale - dragStartScale;
    const Vec2 shift{edges.left    ? -grown.x * 0.5f
                     : edges.right ? grown.x * 0.5f
                                   : 0.0f,
                     edges.bottom ? -grown.y * 0.5f
                     : edges.top  ? grown.y * 0.5f
                                  : 0.0f};
    const Vec2 position = dragStartPosition + shift;
    if (scale != transform.GetScale() || position != transform.GetTranslation())
    {
        transform.SetScale(scale);
        transform.SetTranslation(position);
        NoteEdit();
    }
}

void EditorSystem::UpdateMove(EntityList& entities, EntityStore& store)
{
    const PCInputManager& input = *registry->GetSystem<PCInputManager>();
    Transform& transform = *store.GetComponent<Transform>(selection);
    if (!moving)
    {
        if (!interfaceHasMouse && input.IsKeyTriggered(GLFW_MOUSE_BUTTON_LEFT) &&
            TransformRect(transform).Contains(cursor))
        {
            moving = true;
            dragStartPosition = transform.GetTranslation();
            dragStartCursor = cursor;
        }
        return;
    }
    if (!input.IsKeyDown(GLFW_MOUSE_BUTTON_LEFT))
    {
        moving = false;
        return;
    }
    Vec2 delta = cursor - dragStartCursor;
    if (input.IsKeyDown(GLFW_KEY_LEFT_SHIFT))
    {
        (std::abs(delta.x) >= std::abs(delta.y) ? delta.y : delta.x) = 0.0f;
    }
    if (delta == Vec2{})
    {
        return;
    }
    transform.SetTranslation(dragStartPosition + delta);
    if (input.IsKeyDown(GLFW_KEY_LEFT_CONTROL))
    {
        transform.SetTranslation(transform.GetTranslation() + SnapOffset(entities, selection));
    }
    NoteEdit();
}

Vec2 EditorSystem::SnapOffset(EntityList& entities, const Entity& moved) const
{
    const EntityStore& store = registry->GetSystem<ECS>()->entityStore;
    const float reach = registry->GetSystem<Camera>()->GetZoom() * snapShare;
    const bool movedHasCollider = store.HasComponent<Collider>(moved);
    Vec2 best;
    float bestDistance = reach;
    bool found = false;
    for (const Entity& other : entities)
    {
        const Sprite* sprite = store.GetComponent<Sprite>(other);
        if (other == moved || (sprite && sprite->depth != 0.0f))
        {
            continue;
        }
        const bool bothColliders = movedHasCollider && store.HasComponent<Collider>(other);
        const std::vector<Vec2> ours = SnapCorners(store, moved, bothColliders);
        const std::vector<Vec2> theirs = SnapCorners(store, other, bothColliders);
        for (Vec2 a : ours)
        {
            for (Vec2 b : theirs)
            {
                const float distance = Length(b - a);
                if (distance <= bestDistance && (!found || distance < bestDistance))
                {
                    best = b - a;
                    bestDistance = distance;
                    found = true;
                }
            }
        }
    }
    return found ? best : Vec2{};
}

void EditorSystem::DeleteSelection(EntityStore& store)
{
    if (!selection.IsValid())
    {
        return;
    }
    const Entity doomed = selection;
    ClearSelection();
    store.DestroyEntity(doomed);
    registry->GetSystem<LevelManager>()->RemoveFromLevel(doomed);
    NoteEdit();
}

void EditorSystem::DuplicateSelection(EntityStore& store)
{
    if (!selection.IsValid())
    {
        return;
    }
    const Entity copy(selection.name);
    for (int index = 0; index < componentTypeCount; ++index)
    {
        if (const Component* component = store.GetComponent(selection, index))
        {
            store.AddComponent(copy, *component, index);
        }
    }
    registry->GetSystem<LevelManager>()->AddBeside(copy, selection);
    registry->GetSystem<ECS>()->SortRenderList();
    NoteEdit();
}

void EditorSystem::DrawOutline(EntityStore& store)
{
    if (!selection.IsValid())
    {
        return;
    }
    const Transform& transform = *store.GetComponent<Transform>(selection);
    const Vec2 scale = transform.GetScale();
    registry->GetSystem<ECS>()->systemStore.GetSystem<RendererSystem>()->AddDebugRect(
        transform.GetTranslation(), scale.x, scale.y, outlineColor, 2.0f);
}

void EditorSystem::Select(const Entity& entity)
{
    selection = entity;
    moving = false;
    resizing = false;
}

void EditorSystem::ClearSelection() { Select(Entity::None()); }

void EditorSystem::NoteEdit()
{
    ++edits;
    registry->GetSystem<LevelManager>()->MarkChanged();
}

void EditorSystem::ShowCursorShape(int shape)
{
    const int shown = shape == GLFW_ARROW_CURSOR ? 0 : shape;
    if (shown == cursorShape)
    {
        return;
    }
    cursorShape = shown;
    PCInputManager& input = *registry->GetSystem<PCInputManager>();
    // Off the handles the window's own arrow comes back, shown from the next capture on.
    GLFWcursor* ownArrow = registry->GetSystem<WindowHandler>()->cursor;
    if (shape == GLFW_ARROW_CURSOR && ownArrow)
    {
        input.currentCursor = ownArrow;
        return;
    }
    input.SetCursorShape(shape);
}

} // namespace kesto
