#pragma once

#include "ecs/Component.h"
#include "ecs/Entity.h"
#include "engine/ISystem.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kesto
{

class EntityStore;
class JsonReader;

// Loads every archetype file once and creates entities by copying an archetype's prototype components.
class ArchetypeFactory : public ISystem
{
public:
    using Prototypes = std::array<std::unique_ptr<Component>, componentTypeCount>;

    // Without an asset root the factory reads nothing until a folder is given.
    ArchetypeFactory() = default;
    explicit ArchetypeFactory(std::string_view assetRoot);

    // Loads every file of `folder`; an empty folder loads nothing.
    void Init() override;
    void Update(float) override {}

    bool HasArchetype(const std::string& name) const { return archetypes.contains(name); }
    // The prototypes of a loaded archetype; an unknown name is a programming error.
    const Prototypes& GetArchetype(const std::string& name) const;

    // A new entity named after the archetype, holding copies of its prototypes. An unknown name gives
    // Entity::None() and is reported the first time only, since callers may ask again every frame.
    Entity CreateFromArchetype(const std::string& name, bool sortRenderList);
    // Creates the archetype named by the current object's "Name" and applies the object's component overrides.
    // Overrides cannot add components the archetype lacks, unless the object lists its component types under
    // "Components": the entity then has exactly those (new ones with their defaults) before the overrides apply.
    Entity CreateFromJSON(JsonReader& reader);
    // Gives the entity exactly the listed component types (by type name), keeping those it has.
    static void SetComponentTypes(EntityStore& store, const Entity& entity, const std::vector<std::string>& typeNames);

    // The entity object's list of its component types, written when they differ from the archetype's.
    static constexpr const char* componentsKey = "Components";

    // Loads folder + "/" + fileName as the archetype named by the file name without its extension; a name loaded
    // before is replaced.
    void LoadFile(const std::string& fileName);

    std::string folder;                      // where Init looks
    std::vector<std::string> archetypeNames; // in load order

private:
    std::map<std::string, Prototypes> archetypes;
    std::set<std::string, std::less<>> reportedUnknown; // names asked for that no file defines
};

// The archetype names of the registry's factory, in load order; none without one. Feeds the archetype combos of the
// inspectors.
std::vector<std::string> ArchetypeNames(SystemRegistry* registry);

} // namespace kesto
