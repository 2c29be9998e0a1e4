#pragma once

#include "graphics/WindowHandler.h"
#include "studio/CoreTypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace kesto
{

class InputTap;
class KeyboardMouseDevice;
class PadDevice;

// The content folder, relative to the folder the game runs in (the data files name their images, shaders and sounds
// by paths under it).
inline constexpr std::string_view defaultAssetRoot = "Assets/";

// What the engine is built with. The game takes the defaults; tests, tools and benchmarks change what they must and
// still get the game's systems in the game's order.
struct EngineDef
{
    // Every content folder and file the engine reads is found under it; empty builds an engine without content.
    std::string assetRoot = std::string(defaultAssetRoot);
    // None: headless, with no window and no GL context (the renderer then draws nothing).
    std::optional<WindowDef> window = WindowDef{};
    // Auto: the sound device; Silent: mixed and discarded in real time; NoOutput: callers pull the mix.
    studio::OutputMode audioOutput = studio::OutputMode::Auto;
    // Null: the window's keyboard and mouse. Otherwise not owned; it must outlive the engine.
    KeyboardMouseDevice* keyboardMouse = nullptr;
    // Null: the first pad of the gamepad layer. Otherwise not owned; it must outlive the engine.
    PadDevice* pad = nullptr;
    // Null: the engine reads the devices above directly. Otherwise it reads them through this tap (replays record
    // and play back there); not owned, it must outlive the engine.
    InputTap* inputTap = nullptr;
    // Empty: the level named by default.txt. Otherwise the level the game starts with.
    std::string firstLevel;
    // The player's settings file (volumes, mutes, fullscreen). Empty: settings are kept for the run only, which is
    // what tests and tools want; the game passes the file in the user's configuration folder.
    std::string settingsFile;
};

} // namespace kesto
