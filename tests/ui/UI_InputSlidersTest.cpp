#include "ui/MenuWorld.h"
#include "ui/UI_InputSystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

// The test sliders' tracks are 1 unit wide at the centre of the screen: the knob runs from -0.47 to 0.47.
constexpr float trackLeft = -0.47f;
constexpr float trackRight = 0.47f;

class UiSliders : public ::testing::Test
{
protected:
    float Volume(SliderType type) const
    {
        switch (type)
        {
        case SliderType::MasterVolume:
            return menu.audio->masterVolume;
        case SliderType::MusicVolume:
            return menu.audio->musicVolume;
        case SliderType::EffectsVolume:
            return menu.audio->sfxVolume;
        case SliderType::Brightness:
            break;
        }
        return -1.0f;
    }

    test::MenuWorld menu;
};

TEST_F(UiSliders, DraggingTheKnobWritesItsVolumeAndStopsAtTheTrackEnds)
{
    struct Step
    {
        float cursorX;
        float volume;
        float knobX;
    };
    const std::vector<Step> drag = {{0.0f, 0.5f, 0.0f},
                                    {0.235f, 0.75f, 0.235f},
                                    {0.9f, 1.0f, trackRight},
                                    {-0.9f, 0.0f, trackLeft},
                                    {-0.235f, 0.25f, -0.235f}};
    for (const SliderType type : {SliderType::MasterVolume, SliderType::MusicVolume, SliderType::EffectsVolume})
    {
        SCOPED_TRACE(static_cast<int>(type));
        const test::MenuWorld::SliderParts slider = menu.AddSlider({0.0f, 0.0f}, type);
        menu.MoveCursor({drag.front().cursorX, 0.02f});
        menu.LeftButton(true);
        for (const Step& step : drag)
        {
            // Off the track vertically too: a drag keeps going once it has begun.
            menu.MoveCursor({step.cursorX, 0.3f});
            menu.Frame();
            EXPECT_NEAR(Volume(type), step.volume, 1e-5f);
            EXPECT_NEAR(menu.PositionOf(slider.knob).x, step.knobX, 1e-5f);
            // The bar fills the track's width up to the knob, from its left end.
            const float filled = (step.knobX - trackLeft) / (trackRight - trackLeft);
            EXPECT_NEAR(menu.ScaleOf(slider.bar).x, filled, 1e-5f);
            EXPECT_NEAR(menu.PositionOf(slider.bar).x, (step.knobX - trackLeft) * 0.5f + trackLeft, 1e-5f);
        }
        menu.LeftButton(false);
        EXPECT_FALSE(menu.ui->dragging);
        for (const Entity& part : {slider.track, slider.bar, slider.knob})
        {
            menu.world.Store().DestroyEntity(part);
        }
    }
}

TEST_F(UiSliders, AClickOnTheTrackSetsTheValueAndABrightnessSliderSetsNoVolume)
{
    const test::MenuWorld::SliderParts master = menu.AddSlider({0.0f, 0.5f}, SliderType::MasterVolume);
    const test::MenuWorld::SliderParts brightness = menu.AddSlider({0.0f, -0.5f}, SliderType::Brightness);
    menu.world.Store().GetComponent<Slider>(brightness.knob)->current = 1.0f;
    menu.Click({trackLeft + 0.94f * 0.2f, 0.5f});
    EXPECT_NEAR(menu.audio->masterVolume, 0.2f, 1e-5f);
    menu.Click({trackLeft + 0.94f * 0.6f, -0.5f});
    EXPECT_NEAR(menu.world.Store().GetComponent<Slider>(brightness.knob)->current, 0.6f, 1e-5f);
    EXPECT_NEAR(menu.audio->masterVolume, 0.2f, 1e-5f);
    EXPECT_NEAR(menu.PositionOf(master.knob).x, trackLeft + 0.94f * 0.2f, 1e-5f);
}

TEST_F(UiSliders, AVolumeChangedElsewhereMovesTheKnob)
{
    const test::MenuWorld::SliderParts music = menu.AddSlider({0.2f, 0.0f}, SliderType::MusicVolume);
    menu.audio->SetMusicVolume(0.25f);
    menu.Frame();
    EXPECT_NEAR(menu.PositionOf(music.knob).x, 0.2f + trackLeft + 0.94f * 0.25f, 1e-5f);
    EXPECT_NEAR(menu.world.Store().GetComponent<Slider>(music.knob)->current, 0.25f, 1e-6f);
}

TEST_F(UiSliders, ASliderWithAnEmptyRangeKeepsItsKnob)
{
    const test::MenuWorld::SliderParts slider = menu.AddSlider({0.0f, 0.0f}, SliderType::Brightness);
    Slider& knob = *menu.world.Store().GetComponent<Slider>(slider.knob);
    menu.Frame();
    const Vec2 before = menu.PositionOf(slider.knob);
    knob.min = 0.5f;
    knob.max = 0.5f;
    menu.Frames(2);
    EXPECT_EQ(menu.PositionOf(slider.knob), before);
}

TEST_F(UiSliders, MutingKeepsTheVolumeThatTouchingTheSliderOrUnmutingRestores)
{
    menu.audio->SetMasterVolume(0.8f);
    const test::MenuWorld::SliderParts slider = menu.AddSlider({0.0f, 0.5f}, SliderType::MasterVolume);
    menu.AddCheckBox({0.0f, -0.5f}, CheckBoxType::MuteMaster);
    const float knobAt08 = trackLeft + 0.94f * 0.8f;

    menu.Click({0.0f, -0.5f});
    EXPECT_TRUE(menu.ui->masterMute.muted);
    EXPECT_EQ(menu.audio->masterVolume, 0.0f);
    EXPECT_NEAR(menu.ui->masterMute.savedVolume, 0.8f, 1e-6f);
    menu.Frame();
    EXPECT_NEAR(menu.PositionOf(slider.knob).x, knobAt08, 1e-5f) << "a muted slider shows the volume kept";

    menu.Click({0.0f, -0.5f});
    EXPECT_FALSE(menu.ui->masterMute.muted);
    EXPECT_NEAR(menu.audio->masterVolume, 0.8f, 1e-6f);

    menu.Click({0.0f, -0.5f});
    menu.Click({trackLeft + 0.94f * 0.4f, 0.5f});
    EXPECT_FALSE(menu.ui->masterMute.muted) << "touching the slider unmutes";
    EXPECT_NEAR(menu.audio->masterVolume, 0.4f, 1e-5f);
}

TEST_F(UiSliders, CheckBoxesShowTheirSettingAndBoxesOfOneTypeAgree)
{
    const Entity first = menu.AddCheckBox({-0.5f, 0.5f}, CheckBoxType::MuteBGM);
    const Entity second = menu.AddCheckBox({0.5f, 0.5f}, CheckBoxType::MuteBGM);
    const Entity stub = menu.AddCheckBox({-0.5f, -0.5f}, CheckBoxType::Stub);
    const Entity fullscreen = menu.AddCheckBox({0.5f, -0.5f}, CheckBoxType::FullScreen);
    menu.MoveCursor({0.0f, 0.0f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(first), "Off");
    EXPECT_EQ(menu.Shown(fullscreen), "Off") << "the headless window is not fullscreen";

    menu.Click({-0.5f, 0.5f});
    EXPECT_EQ(menu.Shown(first), "OnHover");
    EXPECT_EQ(menu.Shown(second), "Off") << "boxes follow the setting at the next visual pass";
    menu.Frame();
    EXPECT_EQ(menu.Shown(second), "On");
    EXPECT_TRUE(menu.world.Store().GetComponent<CheckBox>(second)->checked);
    EXPECT_EQ(menu.audio->musicVolume, 0.0f);

    menu.Click({-0.5f, -0.5f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(stub), "OffHover") << "a stub box never changes by clicking";

    menu.Click({0.5f, -0.5f});
    EXPECT_TRUE(menu.window->fullscreen);
    EXPECT_TRUE(menu.ui->fullscreenShown);
    menu.window->LeaveFullscreen();
    menu.MoveCursor({0.0f, 0.0f});
    menu.Frame();
    EXPECT_EQ(menu.Shown(fullscreen), "Off") << "the box follows the window, whatever changed it";
}

} // namespace
} // namespace kesto
