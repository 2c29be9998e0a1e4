#pragma once

#include <string>

namespace kesto
{

class JsonReader;
class MasterInputManager;
class Trace;

// The key-binding file, "KeyBindings.json" (its shapes are described in docs/KeyBindings.md):
// - root members "PC" and "CONTROLLER" (arrays of codes) are appended as they stand to the empty action name;
// - every other root member that is an object names an action, and its own "PC" and "CONTROLLER" arrays are added
//   to that action after the bindings registered in code, without duplicates.
// Anything else is reported to `trace` (may be null) and skipped.
void ReadKeyBindings(JsonReader& reader, MasterInputManager& bindings, Trace* trace);

// Reads folder + "KeyBindings.json". A missing file adds nothing and is not reported.
void LoadKeyBindingFile(const std::string& folder, MasterInputManager& bindings, Trace* trace);

} // namespace kesto
