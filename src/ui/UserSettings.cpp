#include "ui/UserSettings.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kesto
{

namespace
{

namespace fs = std::filesystem;

void Report(Trace* trace, const std::string& file, const std::string& what)
{
    if (trace)
    {
        trace->Report("SETTINGS", file, what);
    }
}

// An environment variable's value when it is an absolute path, as the XDG rules require; empty otherwise.
fs::path AbsoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
    {
        return {};
    }
    fs::path path(value);
    return path.is_absolute() ? path : fs::path();
}

// The XDG base folder named by `variable`, or `underHome` in the home folder when it is not set.
fs::path UserFolder([[maybe_unused]] const char* variable, [[maybe_unused]] const char* underHome)
{
#ifdef _WIN32
    return AbsoluteFromEnvironment("APPDATA");
#else
    fs::path folder = AbsoluteFromEnvironment(variable);
    if (folder.empty())
    {
        const fs::path home = AbsoluteFromEnvironment("HOME");
        if (!home.empty())
        {
            folder = home / underHome;
        }
    }
    return folder;
#endif
}

} // namespace

const FieldTable<UserSettings>& UserSettings::Fields()
{
    using S = UserSettings;
    static const FieldTable<UserSettings> fields{
        Field<&S::masterVolume>("masterVolume").Clamp(0.0f, 1.0f),
        Field<&S::musicVolume>("musicVolume").Clamp(0.0f, 1.0f),
        Field<&S::effectsVolume>("effectsVolume").Clamp(0.0f, 1.0f),
        Field<&S::masterMuted>("masterMuted"),
        Field<&S::musicMuted>("musicMuted"),
        Field<&S::effectsMuted>("effectsMuted"),
        Field<&S::fullscreen>("fullscreen"),
    };
    return fields;
}

std::string UserSettingsFile()
{
    const fs::path folder = UserFolder("XDG_CONFIG_HOME", ".config");
    return folder.empty() ? std::string() : (folder / "kesto" / "settings.json").string();
}

std::string UserReplayFolder()
{
    const fs::path folder = UserFolder("XDG_DATA_HOME", ".local/share");
    return folder.empty() ? std::string() : (folder / "kesto" / "replays").string();
}

UserSettings ReadUserSettings(const std::string& file, Trace* trace)
{
    UserSettings settings;
    std::error_code error;
    if (file.empty() || !fs::exists(file, error))
    {
        return settings;
    }
    if (fs::is_directory(file, error))
    {
        Report(trace, file, "is a folder, not a file; the default settings are used and not saved");
        return settings;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (in.is_open())
    {
        text << in.rdbuf();
    }
    if (!in.is_open() || in.bad())
    {
        Report(trace, file, "cannot read the file; the default settings are used");
        return settings;
    }
    JsonReader reader;
    if (!reader.Parse(text.str(), file, nullptr))
    {
        Report(trace, file, "the file is corrupt (not a JSON object); the default settings are used");
        return settings;
    }
    UserSettings::Fields().Read(settings, reader);
    return settings;
}

bool WriteUserSettings(const std::string& file, const UserSettings& settings, Trace* trace)
{
    if (file.empty())
    {
        return false;
    }
    const fs::path target(file);
    std::error_code error;
    if (target.has_parent_path())
    {
        fs::create_directories(target.parent_path(), error);
        if (error)
        {
            Report(trace, file, "cannot create the folder (" + error.message() + "); the settings are not saved");
            return false;
        }
    }
    JsonWriter writer;
    UserSettings::Fields().Write(settings, writer);
    const std::string text = writer.Finish();
    const fs::path temporary = fs::path(file + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out)
        {
            out.close();
            fs::remove(temporary, error);
            Report(trace, file, "cannot write " + temporary.string() + "; the settings are not saved");
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error)
    {
        const std::string why = error.message();
        fs::remove(temporary, error);
        Report(trace, file, "cannot replace the file (" + why + "); the settings are not saved");
        return false;
    }
    return true;
}

} // namespace kesto
