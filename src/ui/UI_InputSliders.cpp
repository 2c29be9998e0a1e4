#include "audio/Audio.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteSourceManager.h"
#include "input/ControllerInputManager.h"
#include "input/PCInputManager.h"
#include "ui/Slider.h"
#include "ui/SliderBackground.h"
#include "ui/SliderBar.h"
#include "ui/UI_InputSystem.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>

namespace kesto
{

namespace
{

// The knob runs between these fractions of the background's width either side of its centre.
constexpr float trackHalfWidth = 0.47f;

struct Track
{
    float left = 0.0f;
    float right = 0.0f;
    float y = 0.0f;
};

Track TrackOf(const Transform& background)
{
    const Vec2 centre = background.GetTranslation();
    const float half = trackHalfWidth * background.GetScale().x;
    return {centre.x - half, centre.x + half, centre.y};
}

// A bar as wide as the track's part left of the knob, scaled to the background's size.
void StretchBar(const SliderBar& bar, Transform& transform, const Slider& slider)
{
    const float width = slider.trackRight.x - slider.trackLeft.x;
    if (!(width > 0.0f))
    {
        return;
    }
    const float filled = slider.knob.x - slider.trackLeft.x;
    transform.SetScale({std::max(filled / width * bar.fullSize.x, 0.0f), std::max(bar.fullSize.y, 0.0f)});
    transform.SetTranslation({filled * 0.5f + slider.trackLeft.x, transform.GetTranslation().y});
}

} // namespace

UI_InputSystem::Mute* UI_InputSystem::MuteOf(SliderType type)
{
    switch (type)
    {
    case SliderType::MasterVolume:
        return &masterMute;
    case SliderType::MusicVolume:
        return &musicMute;
    case SliderType::EffectsVolume:
        return &effectsMute;
    case SliderType::Brightness:
        break;
    }
    return nullptr;
}

void UI_InputSystem::SyncSlider(Slider& slider, Transform& transform)
{
    float value = slider.current;
    if (Mute* mute = MuteOf(slider.type))
    {
        const Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
        const float volume = slider.type == SliderType::MasterVolume  ? audio.masterVolume
                             : slider.type == SliderType::MusicVolume ? audio.musicVolume
                                                                      : audio.sfxVolume;
        if (mute->muted)
        {
            value = mute->savedVolume;
        }
        else
        {
            value = volume;
            mute->savedVolume = volume;
        }
    }
    // An empty range has no place for the knob: it keeps the last one.
    if (!(slider.max > slider.min))
    {
        return;
    }
    slider.current = std::clamp(value, slider.min, slider.max);
    const float t = (value - slider.min) / (slider.max - slider.min);
    for (const Entity& entity : Elements())
    {
        const auto* background = store->GetComponent<SliderBackground>(entity);
        if (!background || background->type != slider.type)
        {
            continue;
        }
        const Track track = TrackOf(*store->GetComponent<Transform>(entity));
        slider.trackLeft = {track.left, track.y};
        slider.trackRight = {track.right, track.y};
        slider.knob = {track.left + (track.right - track.left) * t, track.y};
        transform.SetTranslation(slider.knob);
    }
}

void UI_InputSystem::SetSliderFromCursor(Slider& slider, const Transform& background, Transform& knob, Vec2 point,
                                         SliderType type)
{
    const Track track = TrackOf(background);
    if (!(track.right > track.left))
    {
        return;
    }
    slider.trackLeft = {track.left, track.y};
    slider.trackRight = {track.right, track.y};
    const float value = (point.x - track.left) / (track.right - track.left) * (slider.max - slider.min) + slider.min;
    slider.current = std::clamp(value, std::min(slider.min, slider.max), std::max(slider.min, slider.max));
    ApplySliderValue(value, type);
    slider.knob = {std::clamp(point.x, track.left, track.right), knob.GetTranslation().y};
    knob.SetTranslation(slider.knob);
    if (controller->IsConnected())
    {
        // The gamepad's cursor stays on the knob, so the next push moves on from there.
        virtualCursor = ScreenToWorld(slider.knob);
    }
}

void UI_InputSystem::UpdateSliderBars(const Slider& slider, SliderType type)
{
    for (const Entity& entity : Elements())
    {
        const auto* bar = store->GetComponent<SliderBar>(entity);
        if (bar && bar->type == type)
        {
            StretchBar(*bar, *store->GetComponent<Transform>(entity), slider);
        }
    }
}

void UI_InputSystem::ApplySliderValue(float value, SliderType type)
{
    Audio& audio = *registry->GetSystem<ECS>()->systemStore.GetSystem<Audio>();
    switch (type)
    {
    case SliderType::MasterVolume:
        masterMute.muted = false;
        audio.SetMasterVolume(value);
        break;
    case SliderType::MusicVolume:
        musicMute.muted = false;
        audio.SetMusicVolume(value);
        break;
    case SliderType::EffectsVolume:
        effectsMute.muted = false;
        audio.SetSFXVolume(value);
        break;
    case SliderType::Brightness:
        break;
    }
}

void UI_InputSystem::UpdateSliderBar(const Entity& entity)
{
    SliderBar& bar = *store->GetComponent<SliderBar>(entity);
    Transform& transform = *store->GetComponent<Transform>(entity);
    for (const Entity& other : Elements())
    {
        const auto* background = store->GetComponent<SliderBackground>(other);
        if (background && background->type == bar.type)
        {
            bar.fullSize = store->GetComponent<Transform>(other)->GetScale();
        }
    }
    for (const Entity& other : Elements())
    {
        const auto* slider = store->GetComponent<Slider>(other);
        if (slider && slider->type == bar.type)
        {
            StretchBar(bar, transform, *slider);
        }
    }
}

void UI_InputSystem::ShowSliderBackground(const Entity& entity)
{
    auto* background = store->GetComponent<SliderBackground>(entity);
    Sprite* sprite = store->GetComponent<Sprite>(entity);
    if (!background || !sprite)
    {
        return;
    }
    if (background->defaultSprite.empty())
    {
        background->defaultSprite = sprite->spriteSource ? sprite->spriteSource->name : std::string();
    }
    if (background->pressSprite.empty())
    {
        background->pressSprite = background->defaultSprite;
    }
    sprite->spriteSource = registry->GetSystem<SpriteSourceManager>()->Find(background->defaultSprite);
}

void UI_InputSystem::ClickSliderBackground(const Entity& entity)
{
    ShowSliderBackground(entity);
    const Transform& transform = *store->GetComponent<Transform>(entity);
    if (!Contains(transform, cursor) || !IsOnTopLayer(entity))
    {
        return;
    }
    FollowCursor(entity);
}

void UI_InputSystem::FollowCursor(const Entity& backgroundEntity)
{
    const auto* background = store->GetComponent<SliderBackground>(backgroundEntity);
    const Transform* backgroundTransform = store->GetComponent<Transform>(backgroundEntity);
    if (!background || !backgroundTransform)
    {
        return;
    }
    for (const Entity& entity : Elements())
    {
        auto* slider = store->GetComponent<Slider>(entity);
        if (!slider || slider->type != background->type)
        {
            continue;
        }
        SetSliderFromCursor(*slider, *backgroundTransform, *store->GetComponent<Transform>(entity), cursor,
                            background->type);
        UpdateSliderBars(*slider, background->type);
    }
}

void UI_InputSystem::DragPass(EntityList& entities)
{
    const bool held = keyboardMouse->IsKeyDown(GLFW_MOUSE_BUTTON_LEFT) || std::abs(stickDirection.x) > 0.5f;
    if (held && !dragging)
    {
        for (const Entity& entity : entities)
        {
            if (store->HasComponent<SliderBackground>(entity) &&
                Contains(*store->GetComponent<Transform>(entity), cursor) && IsOnTopLayer(entity))
            {
                dragging = true;
                draggedEntity = entity;
                FollowCursor(entity);
                break;
            }
        }
        return;
    }
    if (!dragging)
    {
        return;
    }
    // A sublevel change may have taken the dragged track away.
    if (!store->HasComponent<SliderBackground>(draggedEntity))
    {
        dragging = false;
        draggedEntity = Entity::None();
        return;
    }
    FollowCursor(draggedEntity);
    if (!held)
    {
        ShowSliderBackground(draggedEntity);
        dragging = false;
        draggedEntity = Entity::None();
    }
}

} // namespace kesto
