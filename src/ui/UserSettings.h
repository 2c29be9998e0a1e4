#pragma once

#include "ecs/Fields.h"

#include <string>

namespace kesto
{

class Trace;

// What the player sets in the options menus and expects to find again at the next start.
struct UserSettings
{
    static const FieldTable<UserSettings>& Fields();

    // 0..1; the volume the player chose, also while it is muted.
    float masterVolume = 1.0f;
    float musicVolume = 1.0f;
    float effectsVolume = 1.0f;
    bool masterMuted = false;
    bool musicMuted = false;
    bool effectsMuted = false;
    bool fullscreen = true;

    bool operator==(const UserSettings&) const = default;
};

// "kesto/settings.json" in the user's configuration folder: $XDG_CONFIG_HOME, else ~/.config (%APPDATA% on
// Windows). Empty when the environment names no such folder.
std::string UserSettingsFile();
// Where the game writes recorded runs: kesto/replays under $XDG_DATA_HOME (or ~/.local/share; %APPDATA% on
// Windows); empty when none of them is set.
std::string UserReplayFolder();

// The settings in `file`. A file that does not exist (the first run) gives the defaults; one that cannot be read
// or is not a settings object gives them too, with one line to `trace` (none when it is null). Volumes outside 0..1
// are brought within.
UserSettings ReadUserSettings(const std::string& file, Trace* trace);

// Writes a temporary file beside `file` and renames it over `file`, so a crash or a full disk mid-write leaves the
// previous settings whole. Creates the folder when needed. False, with one line to `trace` (none when it is null),
// when the settings could not be written.
bool WriteUserSettings(const std::string& file, const UserSettings& settings, Trace* trace);

} // namespace kesto
