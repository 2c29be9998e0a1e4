#include "gamepad/GamepadState.h"
#include "ui/MenuWorld.h"
#include "ui/UI_InputSystem.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

// Stick pushes in XInput units: well past the dead zone of 10000.
constexpr Vec2 right{30000.0f, 0.0f};
constexpr Vec2 left{-30000.0f, 0.0f};
constexpr Vec2 up{0.0f, 30000.0f};

class UiGamepad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        controller = menu.world.registry.GetSystem<ControllerInputManager>();
        menu.world.pad->connected = true;
        // Any button makes the pad the device in use; the next frame places the cursor at the camera.
        Pad(gamepad::buttonX);
        Pad(0);
    }

    // The pad's reading changes between two frames; the next frame sees the change as an edge.
    void Pad(std::uint16_t buttons, Vec2 stick = {})
    {
        gamepad::GamepadState& state = menu.world.pad->state;
        state.buttons = buttons;
        state.thumbLX = static_cast<std::int16_t>(stick.x);
        state.thumbLY = static_cast<std::int16_t>(stick.y);
        ++state.packetNumber;
        controller->Update(0.0f);
        menu.Frame();
    }
    void Flick(Vec2 stick)
    {
        Pad(0, stick);
        Pad(0);
    }
    Vec2 Cursor() const { return menu.ui->WorldToScreen(menu.ui->virtualCursor); }

    test::MenuWorld menu;
    ControllerInputManager* controller = nullptr;
};

TEST_F(UiGamepad, TheCursorStartsAtTheCameraAndAFlickMovesToTheNearestElementInItsCone)
{
    const Entity near = menu.AddButton({0.4f, 0.0f}, "Stub_", {0.2f, 0.1f});
    menu.AddButton({0.9f, 0.0f}, "Stub_", {0.2f, 0.1f});
    // Just outside the cone of 50 degrees around a push to the right, and nearer than the others.
    menu.AddButton({0.2f, 0.24f}, "Stub_", {0.1f, 0.1f});
    EXPECT_TRUE(menu.ui->virtualCursorReady);
    EXPECT_NEAR(Cursor().x, 0.0f, 1e-6f);
    EXPECT_NEAR(Cursor().y, 0.0f, 1e-6f);

    Flick(right);
    EXPECT_NEAR(Cursor().x, 0.4f, 1e-5f);
    EXPECT_NEAR(Cursor().y, 0.0f, 1e-5f);
    EXPECT_EQ(menu.Shown(near), test::MenuWorld::lit);
    Flick(right);
    EXPECT_NEAR(Cursor().x, 0.9f, 1e-5f);
}

TEST_F(UiGamepad, AFlickWithNothingAheadWithinFiveUnitsWrapsToTheFarthestElementBehind)
{
    menu.AddButton({-0.8f, 0.0f}, "Stub_", {0.2f, 0.1f});
    menu.AddButton({-0.3f, 0.0f}, "Stub_", {0.2f, 0.1f});
    menu.AddButton({0.4f, 0.0f}, "Stub_", {0.2f, 0.1f});
    // Off the screen and 5.1 units from the element before it: too far for a flick.
    menu.AddButton({5.5f, 0.0f}, "Stub_", {0.2f, 0.1f});
    Flick(right);
    EXPECT_NEAR(Cursor().x, 0.4f, 1e-5f);
    Flick(right);
    EXPECT_NEAR(Cursor().x, -0.8f, 1e-5f) << "wrapped to the farthest on the left, not the nearest";
    Flick(up);
    EXPECT_NEAR(Cursor().x, -0.8f, 1e-5f) << "nothing up or down: the cursor stays";
}

TEST_F(UiGamepad, APushAlongASliderNudgesItsKnobByALevelSizedStep)
{
    struct Case
    {
        const char* level;
        float worldStep; // of the virtual cursor
    };
    for (const Case& c : {Case{"Stage", 150.0f}, Case{"Main Menu", 0.2f}})
    {
        SCOPED_TRACE(c.level);
        menu.levels->currentLevel = c.level;
        menu.audio->SetMasterVolume(0.25f);
        const test::MenuWorld::SliderParts slider = menu.AddSlider({0.0f, 0.0f}, SliderType::MasterVolume);
        menu.Frame();
        Flick(left);
        const Vec2 knob = menu.PositionOf(slider.knob);
        ASSERT_NEAR(Cursor().x, knob.x, 1e-5f) << "on the knob";
        const float worldBefore = menu.ui->virtualCursor.x;
        Flick(right);
        EXPECT_NEAR(menu.ui->virtualCursor.x - worldBefore, c.worldStep, 1e-3f);
        EXPECT_NEAR(menu.PositionOf(slider.knob).x, Cursor().x, 1e-5f) << "the knob followed the cursor";
        EXPECT_GT(menu.audio->masterVolume, 0.25f);
        EXPECT_FALSE(menu.ui->dragging) << "the drag ends with the push";
        for (const Entity& part : {slider.track, slider.bar, slider.knob})
        {
            menu.world.Store().DestroyEntity(part);
        }
    }
}

TEST_F(UiGamepad, ReleasingAClicksWhereTheCursorIs)
{
    menu.AddButton({0.4f, 0.0f}, "Pause_", {0.2f, 0.1f});
    menu.AddButton({-0.4f, 0.0f}, "UnPause_", {0.2f, 0.1f});
    Flick(right);
    Pad(gamepad::buttonA);
    EXPECT_EQ(menu.world.registry.timeScale, 1.0f) << "the press runs nothing";
    Pad(0);
    EXPECT_EQ(menu.world.registry.timeScale, 0.0f);
}

TEST_F(UiGamepad, AMousePressHandsTheCursorBackToTheMouse)
{
    const Entity button = menu.AddButton({-0.5f, 0.5f}, "Stub_", {0.2f, 0.1f});
    menu.MoveCursor({-0.5f, 0.5f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::plain) << "the pad's cursor is elsewhere";
    menu.LeftButton(true);
    menu.Frame();
    EXPECT_EQ(menu.Shown(button), test::MenuWorld::lit);
}

} // namespace
} // namespace kesto
