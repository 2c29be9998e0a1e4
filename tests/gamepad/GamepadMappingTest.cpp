#include "gamepad/GamepadMappingInternal.h"

#include <gtest/gtest.h>

namespace kesto::gamepad
{
namespace
{

TEST(GamepadMapping, StickYPointsUp)
{
    EXPECT_EQ(StickYFromSdl(0), 0);
    EXPECT_EQ(StickYFromSdl(32767), -32767);
    EXPECT_EQ(StickYFromSdl(-32767), 32767);
    EXPECT_EQ(StickYFromSdl(10001), -10001);
    EXPECT_EQ(StickYFromSdl(-1), 1);
}

TEST(GamepadMapping, StickYFullUpSaturates) { EXPECT_EQ(StickYFromSdl(-32768), 32767); }

TEST(GamepadMapping, TriggerEndsMapToXInputEnds)
{
    EXPECT_EQ(TriggerFromSdl(0), 0);
    EXPECT_EQ(TriggerFromSdl(32767), 255);
}

TEST(GamepadMapping, TriggerRoundsSoOnlyANearlyFullPullReads255)
{
    EXPECT_EQ(TriggerFromSdl(64), 0);
    EXPECT_EQ(TriggerFromSdl(65), 1);
    EXPECT_EQ(TriggerFromSdl(16384), 128);
    EXPECT_EQ(TriggerFromSdl(32702), 254);
    EXPECT_EQ(TriggerFromSdl(32703), 255);
}

TEST(GamepadMapping, NegativeTriggerReadsReleased)
{
    EXPECT_EQ(TriggerFromSdl(-1), 0);
    EXPECT_EQ(TriggerFromSdl(-32768), 0);
}

TEST(GamepadMapping, TriggerNeverDecreasesAsThePullGrows)
{
    int previous = 0;
    for (int value = 0; value <= 32767; ++value)
    {
        const int mapped = TriggerFromSdl(static_cast<Sint16>(value));
        ASSERT_GE(mapped, previous) << "at " << value;
        previous = mapped;
    }
}

TEST(GamepadMapping, EachButtonHasXInputMask)
{
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_DPAD_UP), 0x0001);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_DPAD_DOWN), 0x0002);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_DPAD_LEFT), 0x0004);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 0x0008);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_START), 0x0010);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_BACK), 0x0020);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_LEFTSTICK), 0x0040);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_RIGHTSTICK), 0x0080);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), 0x0100);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), 0x0200);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_A), 0x1000);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_B), 0x2000);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_X), 0x4000);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_Y), 0x8000);
}

TEST(GamepadMapping, ButtonsXInputLacksHaveNoMask)
{
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_GUIDE), 0);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_MISC1), 0);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_PADDLE1), 0);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_TOUCHPAD), 0);
    EXPECT_EQ(ButtonMaskFromSdl(SDL_CONTROLLER_BUTTON_INVALID), 0);
}

TEST(GamepadMapping, RestingReadingIsAllZero) { EXPECT_EQ(StateFromSdl(SdlPadReading{}), GamepadState{}); }

TEST(GamepadMapping, ReadingFillsEveryField)
{
    SdlPadReading reading;
    reading.buttons[SDL_CONTROLLER_BUTTON_A] = true;
    reading.buttons[SDL_CONTROLLER_BUTTON_START] = true;
    reading.buttons[SDL_CONTROLLER_BUTTON_GUIDE] = true;
    reading.axes[SDL_CONTROLLER_AXIS_LEFTX] = -20000;
    reading.axes[SDL_CONTROLLER_AXIS_LEFTY] = -32768;
    reading.axes[SDL_CONTROLLER_AXIS_RIGHTX] = 32767;
    reading.axes[SDL_CONTROLLER_AXIS_RIGHTY] = 12345;
    reading.axes[SDL_CONTROLLER_AXIS_TRIGGERLEFT] = 32767;
    reading.axes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT] = 16384;

    const GamepadState state = StateFromSdl(reading);

    EXPECT_EQ(state.packetNumber, 0u);
    EXPECT_EQ(state.buttons, buttonA | buttonStart);
    EXPECT_EQ(state.thumbLX, -20000);
    EXPECT_EQ(state.thumbLY, 32767);
    EXPECT_EQ(state.thumbRX, 32767);
    EXPECT_EQ(state.thumbRY, -12345);
    EXPECT_EQ(state.leftTrigger, 255);
    EXPECT_EQ(state.rightTrigger, 128);
}

TEST(GamepadMapping, AllButtonsTogetherSetFourteenDistinctMasks)
{
    SdlPadReading reading;
    reading.buttons.fill(true);
    EXPECT_EQ(StateFromSdl(reading).buttons, 0xF3FF);
}

TEST(GamepadMapping, UnchangedStateKeepsItsPacketNumber)
{
    GamepadState last;
    last.packetNumber = 41;
    last.buttons = buttonB;
    GamepadState fresh;
    fresh.buttons = buttonB;

    StampPacket(fresh, last);

    EXPECT_EQ(fresh.packetNumber, 41u);
}

TEST(GamepadMapping, AnyChangedFieldAdvancesThePacketNumber)
{
    GamepadState last;
    last.packetNumber = 41;
    GamepadState fresh;
    fresh.thumbRX = 1;

    StampPacket(fresh, last);

    EXPECT_EQ(fresh.packetNumber, 42u);
}

TEST(GamepadMapping, PacketNumberWrapsAround)
{
    GamepadState last;
    last.packetNumber = 0xFFFFFFFFu;
    GamepadState fresh;
    fresh.leftTrigger = 3;

    StampPacket(fresh, last);

    EXPECT_NE(fresh.packetNumber, last.packetNumber);
}

TEST(GamepadMapping, PressesBetweenReadingsAreHeldInTheNextReading)
{
    SdlPadPresses presses;
    NotePress(presses, SDL_CONTROLLER_BUTTON_A);
    NotePress(presses, SDL_CONTROLLER_BUTTON_INVALID);
    NotePress(presses, SDL_CONTROLLER_BUTTON_MAX);
    NoteAxis(presses, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 20000);
    NoteAxis(presses, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    NoteAxis(presses, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    NoteAxis(presses, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 100);
    NoteAxis(presses, SDL_CONTROLLER_AXIS_LEFTX, 32767); // sticks are held, not tapped

    SdlPadReading reading;
    reading.buttons[SDL_CONTROLLER_BUTTON_B] = true;
    reading.axes[SDL_CONTROLLER_AXIS_TRIGGERLEFT] = 5000;
    const GamepadState state = StateFromSdl(WithPresses(reading, presses));
    EXPECT_EQ(state.buttons, buttonA | buttonB);
    EXPECT_EQ(state.rightTrigger, 255);
    EXPECT_EQ(state.leftTrigger, TriggerFromSdl(5000));
    EXPECT_EQ(state.thumbLX, 0);
    EXPECT_EQ(StateFromSdl(WithPresses(reading, SdlPadPresses{})).buttons, buttonB);
}

TEST(GamepadMapping, LeftMotorIsLowFrequencyAndRightIsHigh)
{
    const SdlRumble dash = RumbleFromVibration(GamepadVibration{0x7FFF, 0});
    EXPECT_EQ(dash.lowFrequency, 0x7FFF);
    EXPECT_EQ(dash.highFrequency, 0);
    const SdlRumble death = RumbleFromVibration(GamepadVibration{0, 0xFFFF});
    EXPECT_EQ(death.lowFrequency, 0);
    EXPECT_EQ(death.highFrequency, 0xFFFF);
}

TEST(GamepadMapping, RumbleSpeedsKeepTheirFullRange)
{
    for (const std::uint16_t speed : {std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{0x7FFF}, std::uint16_t{0xFFFF}})
    {
        const SdlRumble rumble = RumbleFromVibration(GamepadVibration{speed, speed});
        EXPECT_EQ(rumble.lowFrequency, speed);
        EXPECT_EQ(rumble.highFrequency, speed);
    }
}

} // namespace
} // namespace kesto::gamepad
