#pragma once

#include <cstdint>

namespace kesto::gamepad
{

// Button masks with XInput's published values (XINPUT_GAMEPAD_*), so codes stored in data keep their meaning.
inline constexpr std::uint16_t buttonDpadUp = 0x0001;
inline constexpr std::uint16_t buttonDpadDown = 0x0002;
inline constexpr std::uint16_t buttonDpadLeft = 0x0004;
inline constexpr std::uint16_t buttonDpadRight = 0x0008;
inline constexpr std::uint16_t buttonStart = 0x0010;
inline constexpr std::uint16_t buttonBack = 0x0020;
inline constexpr std::uint16_t buttonLeftThumb = 0x0040;
inline constexpr std::uint16_t buttonRightThumb = 0x0080;
inline constexpr std::uint16_t buttonLeftShoulder = 0x0100;
inline constexpr std::uint16_t buttonRightShoulder = 0x0200;
inline constexpr std::uint16_t buttonA = 0x1000;
inline constexpr std::uint16_t buttonB = 0x2000;
inline constexpr std::uint16_t buttonX = 0x4000;
inline constexpr std::uint16_t buttonY = 0x8000;

// One reading of the pad in XInput's layout (XINPUT_STATE with its XINPUT_GAMEPAD flattened in).
struct GamepadState
{
    std::uint32_t packetNumber = 0; // changes whenever any other field changes; the value itself means nothing
    std::uint16_t buttons = 0;      // OR of the button masks above
    std::uint8_t leftTrigger = 0;   // 0 released .. 255 fully pulled
    std::uint8_t rightTrigger = 0;  // 0 released .. 255 fully pulled
    std::int16_t thumbLX = 0;       // -32768 left .. 32767 right
    std::int16_t thumbLY = 0;       // -32768 down .. 32767 up
    std::int16_t thumbRX = 0;       // -32768 left .. 32767 right
    std::int16_t thumbRY = 0;       // -32768 down .. 32767 up

    bool operator==(const GamepadState&) const = default;
};

// Motor speeds as XInput takes them (XINPUT_VIBRATION).
struct GamepadVibration
{
    std::uint16_t leftMotorSpeed = 0;  // low-frequency motor, 0 off .. 65535 full
    std::uint16_t rightMotorSpeed = 0; // high-frequency motor, 0 off .. 65535 full
};

// Results with XInput's values (Win32 error codes).
enum class GamepadResult : std::uint32_t
{
    Success = 0,               // ERROR_SUCCESS
    DeviceNotConnected = 1167, // ERROR_DEVICE_NOT_CONNECTED
};

} // namespace kesto::gamepad
