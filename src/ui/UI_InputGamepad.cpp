#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Camera.h"
#include "input/ControllerCode.h"
#include "input/ControllerInputManager.h"
#include "input/MasterInputManager.h"
#include "levels/LevelManager.h"
#include "ui/Button.h"
#include "ui/Slider.h"
#include "ui/UI_InputSystem.h"

#include <cmath>
#include <optional>

namespace kesto
{

namespace
{

// Elements the virtual cursor can land on.
bool IsNavigable(const EntityStore& store, const Entity& entity)
{
    return store.HasComponent<Button>(entity) || store.HasComponent<CheckBox>(entity) ||
           store.HasComponent<Slider>(entity);
}

// Cosine of the angle between a unit direction and a vector of the given length.
float CosineTo(Vec2 unitDirection, Vec2 v, float length) { return Dot(unitDirection, v) / length; }

} // namespace

template <typename Visit> void UI_InputSystem::ForEachTarget(EntityList& entities, Vec2 from, Visit visit)
{
    for (const Entity& entity : entities)
    {
        if (!IsNavigable(*store, entity) || !IsOnTopLayer(entity))
        {
            continue;
        }
        const Vec2 position = store->GetComponent<Transform>(entity)->GetTranslation();
        const Vec2 v = position - from;
        const float length = v.Length();
        if (length >= 0.01f)
        {
            visit(position, v, length);
        }
    }
}

void UI_InputSystem::SteerVirtualCursor(EntityList& entities)
{
    const Vec2 stick = controller->LeftStick();
    const float length = stick.Length();
    stickDirection = length >= static_cast<float>(deadZone) ? stick / length : Vec2{};
    if (!virtualCursorReady)
    {
        virtualCursor = camera->GetPosition();
        virtualCursorReady = true;
    }
    else if (controller->IsConnected())
    {
        for (const ControllerCode code : {ControllerCode::LeftStickUp, ControllerCode::LeftStickDown,
                                          ControllerCode::LeftStickRight, ControllerCode::LeftStickLeft})
        {
            const int value = static_cast<int>(code);
            if (controller->IsButtonDown(value) && !controller->WasButtonDown(value))
            {
                NavigateVirtualCursor(entities);
                break;
            }
        }
    }
    // Asked so that a mouse press hands the game back to the mouse.
    input->IsActionHeld("leftClick");
    input->IsActionHeld("rightClick");
    cursor = WorldToScreen(virtualCursor);
}

void UI_InputSystem::NavigateVirtualCursor(EntityList& entities)
{
    const Vec2 from = WorldToScreen(virtualCursor);
    const Vec2 direction = stickDirection;
    // On a slider a sideways push nudges the knob rather than leaving it. The step is in world units, scaled to
    // the main menu's small camera and to the stages' large one.
    if (std::abs(direction.x) > 0.5f)
    {
        for (const Entity& entity : entities)
        {
            if (store->HasComponent<Slider>(entity) && IsOnTopLayer(entity) &&
                Contains(*store->GetComponent<Transform>(entity), from))
            {
                const float unit = levels->currentLevel == "Main Menu" ? 4.0f : 3000.0f;
                virtualCursor.x += std::copysign(unit * 0.05f, direction.x);
                return;
            }
        }
    }
    // The nearest element within the cone of the push...
    std::optional<Vec2> target;
    float best = searchDistance;
    ForEachTarget(entities, from,
                  [&](Vec2 position, Vec2 v, float length)
                  {
                      if (CosineTo(direction, v, length) > coneCosine && length < best)
                      {
                          best = length;
                          target = position;
                      }
                  });
    // ...or, with none that way, the farthest one the other way: the selection wraps around.
    if (!target)
    {
        float farthest = 0.0f;
        ForEachTarget(entities, from,
                      [&](Vec2 position, Vec2 v, float length)
                      {
                          if (CosineTo(-direction, v, length) > coneCosine && length > farthest)
                          {
                              farthest = length;
                              target = position;
                          }
                      });
    }
    if (target)
    {
        virtualCursor = ScreenToWorld(*target);
        virtualCursorReady = true;
    }
}

} // namespace kesto
