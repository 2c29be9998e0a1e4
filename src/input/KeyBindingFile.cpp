#include "input/KeyBindingFile.h"

#include "ecs/JsonReader.h"
#include "engine/AssetPath.h"
#include "engine/Trace.h"
#include "input/MasterInputManager.h"

#include <GLFW/glfw3.h>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kesto
{

namespace
{

constexpr const char* fileName = "KeyBindings.json";
constexpr const char* pcKey = "PC";
constexpr const char* controllerKey = "CONTROLLER";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsKeyboardMouseCode(int code)
{
    return (code >= 0 && code <= GLFW_MOUSE_BUTTON_LAST) || (code >= GLFW_KEY_SPACE && code <= GLFW_KEY_LAST);
}

bool IsControllerCode(int code)
{
    // Zero would never match and larger values would lose their high bits in the 16-bit button test.
    return code >= 1 && code <= std::numeric_limits<std::uint16_t>::max();
}

class BindingFileReader
{
public:
    BindingFileReader(JsonReader& json, MasterInputManager& target, Trace* log)
        : reader(json), bindings(target), trace(log)
    {
    }

    void ReadRoot()
    {
        std::string key;
        while (true)
        {
            key.clear();
            const JsonMemberKind kind = reader.NextMember(key);
            if (kind == JsonMemberKind::End)
            {
                // The reader cannot step over a member that is neither an object nor an array; it names it and stops.
                if (!key.empty())
                {
                    Report(Quoted(key) + " is neither an action object nor a list of codes; it and the members after "
                                         "it are skipped");
                }
                return;
            }
            if (kind == JsonMemberKind::Object)
            {
                if (key == pcKey || key == controllerKey)
                {
                    Report(Quoted(key) + " is an object, not a list of codes; skipped");
                }
                else
                {
                    ReadAction(key);
                }
                reader.Leave();
                continue;
            }
            ReadRootList(key, kind);
        }
    }

private:
    // Root lists go to the empty action name unchecked; nothing queries it, so they change no game action.
    void ReadRootList(const std::string& key, JsonMemberKind kind)
    {
        if (key == pcKey)
        {
            ReportStrings(kind, "", key);
            reader.TryReadIntList(pcKey, bindings.keyBindings[""]);
        }
        else if (key == controllerKey)
        {
            ReportStrings(kind, "", key);
            reader.TryReadIntList(controllerKey, bindings.buttonBindings[""]);
        }
        else
        {
            Report(Quoted(key) + " is a list outside any action; skipped");
        }
    }

    void ReadAction(const std::string& action)
    {
        std::string key;
        while (true)
        {
            key.clear();
            const JsonMemberKind kind = reader.NextMember(key);
            if (kind == JsonMemberKind::End)
            {
                if (!key.empty())
                {
                    Report(Quoted(action) + ": " + Quoted(key) +
                           " is not a list of codes; it and the members after it are skipped");
                }
                return;
            }
            if (kind == JsonMemberKind::Object)
            {
                Report(Quoted(action) + ": " + Quoted(key) + " is an object, not a list of codes; skipped");
                reader.Leave();
                continue;
            }
            if (key == pcKey)
            {
                ReportStrings(kind, action, key);
                AddCodes(action, key, IsKeyboardMouseCode, "a mouse button (0..7) or key (32..348)",
                         [this, &action](int code) { bindings.AddKeyBinding(action, code); });
            }
            else if (key == controllerKey)
            {
                ReportStrings(kind, action, key);
                AddCodes(action, key, IsControllerCode, "a controller button mask or stick/trigger code (1..65535)",
                         [this, &action](int code) { bindings.AddButtonBinding(action, code); });
            }
            else
            {
                Report(Quoted(action) + ": " + Quoted(key) + " is not \"PC\" or \"CONTROLLER\"; skipped");
            }
        }
    }

    // Adds the valid codes of the entered action's list `key` through `add`; reports the others.
    template <typename Add>
    void AddCodes(const std::string& action, const std::string& key, bool (*isValid)(int), const char* expected,
                  Add add)
    {
        std::vector<int> codes;
        reader.TryReadIntList(key.c_str(), codes);
        for (const int code : codes)
        {
            if (isValid(code))
            {
                add(code);
            }
            else
            {
                Report(Quoted(action) + ": " + key + " code " + std::to_string(code) + " is not " + expected +
                       "; skipped");
            }
        }
    }

    void ReportStrings(JsonMemberKind kind, const std::string& action, const std::string& key)
    {
        if (kind == JsonMemberKind::StringArray)
        {
            const std::string owner = action.empty() ? "" : Quoted(action) + ": ";
            Report(owner + Quoted(key) + " holds names, not integer codes; its strings are skipped");
        }
    }

    void Report(const std::string& what) const
    {
        if (trace)
        {
            trace->Report("INPUT", reader.Where(), what);
        }
    }

    JsonReader& reader;
    MasterInputManager& bindings;
    Trace* trace;
};

} // namespace

void ReadKeyBindings(JsonReader& reader, MasterInputManager& bindings, Trace* trace)
{
    BindingFileReader(reader, bindings, trace).ReadRoot();
}

void LoadKeyBindingFile(const std::string& folder, MasterInputManager& bindings, Trace* trace)
{
    std::error_code error;
    if (!std::filesystem::exists(AssetPath(folder + fileName), error))
    {
        return;
    }
    JsonReader reader;
    if (reader.Open(folder, fileName, trace))
    {
        ReadKeyBindings(reader, bindings, trace);
    }
}

} // namespace kesto
