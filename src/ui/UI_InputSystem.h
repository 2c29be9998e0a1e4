#pragma once

#include "ecs/ESystem.h"
#include "engine/Vector.h"
#include "ui/CheckBox.h"
#include "ui/SliderType.h"
#include "ui/UserSettings.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kesto
{

class Button;
class Camera;
class ControllerInputManager;
class EntityStore;
class LevelManager;
class MasterInputManager;
class PCInputManager;
class Slider;
class Transform;

// Makes the UI elements respond. Every frame it finds the cursor (the mouse, or a virtual cursor steered with the
// gamepad), updates the look of buttons, progress bars, sliders and check boxes under it, runs the action of what
// was clicked (on the release of the button), applies the sublevel changes the actions queued and lets sliders be
// dragged. With a sublevel loaded over a screen only the topmost sublevel's elements react; during a screen
// transition nothing does. It also keeps the player's settings (volumes, mutes, fullscreen) and saves them when
// they change.
//
// Cursors and element positions are in screen units: -aspect..aspect across, -1..1 up.
class UI_InputSystem : public ESystem
{
public:
    // Mute state of one volume, as its check box shows it.
    struct Mute
    {
        bool muted = false;
        float savedVolume = 1.0f; // the volume before muting, restored on unmuting
    };

    // Gamepad navigation: a stick flick looks for the nearest element within this cone and distance...
    static constexpr float coneCosine = 0.6427876f; // cos 50 degrees
    static constexpr float searchDistance = 5.0f;
    static constexpr int deadZone = 10000; // stick length in XInput units below which the stick counts as centred

    // `settingsFile`: where the player's settings are read at Init and saved when they change; empty keeps them for
    // the run only.
    explicit UI_InputSystem(std::string settingsFile = {});

    // Binds "leftClick" and "rightClick", finds the systems it reads and reads the settings file.
    void Init() override;
    void Update(EntityList& entities, float dt) override;

    // Strictly inside the transform's box: a point on an edge is outside.
    static bool Contains(const Transform& transform, Vec2 point);
    // Whether the entity's elements may react: always when no sublevel is loaded, otherwise only for the entities of
    // the most recently loaded sublevel.
    bool IsOnTopLayer(const Entity& entity) const;
    // Fading out and not yet covered: nothing reacts until the screen is dark or clear again.
    bool InScreenTransition() const;

    // Runs a button's action, "prefix_argument" (see Button); a text without "_" after its first character does
    // nothing.
    void ExecuteButtonFunction(const std::string& releaseFunction);
    // Switches the setting a check box of `type` toggles.
    void SetCheckBoxSetting(CheckBoxType type, bool on);

    // Visual pass of a slider: its value from the volume it follows, its knob on the track of its background.
    void SyncSlider(Slider& slider, Transform& transform);
    // Puts the slider's knob under the cursor's x on the background's track and applies the value.
    void SetSliderFromCursor(Slider& slider, const Transform& background, Transform& knob, Vec2 point, SliderType type);
    // Stretches every slider bar of `type` from the track's left end to the slider's knob.
    void UpdateSliderBars(const Slider& slider, SliderType type);
    // Sets the volume a slider type controls (which unmutes it); brightness changes nothing.
    void ApplySliderValue(float value, SliderType type);

    // The settings as the player has them now (volumes before muting).
    UserSettings CurrentSettings() const;

    // Screen units and the world units of the gamepad's virtual cursor, through the camera.
    Vec2 ScreenToWorld(Vec2 point) const;
    Vec2 WorldToScreen(Vec2 point) const;

    float aspect = 1.0f;                        // window width / height, refreshed every frame
    std::vector<std::string> sublevelsToAdd;    // queued by "AddSub" actions, added after the click pass
    std::vector<std::string> sublevelsToRemove; // queued by "RemoveSub" actions, removed after the additions
    bool dragging = false;
    Entity draggedEntity = Entity::None(); // the slider background being dragged
    Mute masterMute;
    Mute musicMute;
    Mute effectsMute;
    bool fullscreenShown = true;
    bool virtualCursorReady = false; // the virtual cursor has been placed since the last sublevel or level change
    Vec2 virtualCursor;              // the gamepad's cursor, world units
    Vec2 stickDirection;             // unit vector of the left stick; (0, 0) inside the dead zone
    Vec2 cursor;                     // this frame's cursor, screen units

private:
    // The cursor and the passes of the frame, in order; nothing reacts during a screen transition.
    void RunPasses(EntityList& entities);
    void SteerVirtualCursor(EntityList& entities);
    void VisualPass(EntityList& entities);
    bool ReleaseEdge() const;
    void ClickPass(EntityList& entities);
    void ApplySublevelQueues();
    void DragPass(EntityList& entities);

    void NavigateVirtualCursor(EntityList& entities);
    // Calls visit(position, offset from `from`, its length) for every element of the top layer the gamepad's
    // cursor can land on, except one it is already on.
    template <typename Visit> void ForEachTarget(EntityList& entities, Vec2 from, Visit visit);
    void UpdateButton(const Entity& entity, Button& button);
    void ClickButton(const Entity& entity, Button& button);
    void UpdateCheckBox(const Entity& entity, CheckBox& box);
    void ClickCheckBox(const Entity& entity, CheckBox& box);
    void UpdateSliderBar(const Entity& entity);
    void ClickSliderBackground(const Entity& entity);
    // Every slider of the background's type follows the cursor.
    void FollowCursor(const Entity& background);
    // The background's default sprite (an empty name takes the sprite's current source).
    void ShowSliderBackground(const Entity& background);
    Mute* MuteOf(SliderType type);
    // This system's entity list: every UI element.
    EntityList& Elements() const;

    bool IsLevel(const std::string& name) const;
    // One report per distinct action text that names no level or no action.
    void ReportBadAction(const std::string& releaseFunction, const std::string& why);
    void ApplyStartSettings();
    void SaveChangedSettings();

    std::string settingsFile;
    std::optional<UserSettings> startSettings; // read at Init, applied at the first update (after every Init)
    UserSettings savedSettings;                // as last written or read
    std::set<std::string> reportedActions;

    EntityStore* store = nullptr;
    LevelManager* levels = nullptr;
    PCInputManager* keyboardMouse = nullptr;
    ControllerInputManager* controller = nullptr;
    MasterInputManager* input = nullptr;
    Camera* camera = nullptr;
};

} // namespace kesto
