#pragma once

#include "ecs/Entity.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kesto
{

class ArchetypeFactory;
class EntityStore;
class JsonWriter;
struct LevelSettings;

// Writes one entity as a level's entity object: "Name" (its archetype) and every component it has, in full, as
// overrides; "Components" lists its types when they are not the archetype's, so added and removed components
// survive a reload. False (and nothing written) when the entity's name is no archetype.
bool WriteEntityObject(JsonWriter& writer, const EntityStore& store, const ArchetypeFactory& factory,
                       const Entity& entity);

// A level file's text: the settings (none for a sublevel) followed by one "Archetype" member per entity, in order.
// Entities that cannot be written are left out and counted in `skipped` when it is not null.
std::string LevelText(const LevelSettings* settings, const EntityStore& store, const ArchetypeFactory& factory,
                      const std::vector<Entity>& entities, int* skipped = nullptr);

// Writes `text` to a temporary file beside `path`, then renames it over `path`, so the old file stays whole until
// the new one is complete. `beforeRename` (tests) runs between the two steps; if it throws, the temporary file is
// removed and the old file is untouched. Returns an empty string on success, otherwise what went wrong.
std::string WriteFileAtomically(const std::filesystem::path& path, const std::string& text,
                                const std::function<void()>& beforeRename = {});

} // namespace kesto
