#pragma once

#include "ecs/Component.h"
#include "ecs/Entity.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kesto
{

class JsonReader;
class SystemRegistry;
class SystemStore;

// A fresh default instance of the class of a type index; null for an index the game has no class for.
using ComponentFactory = std::function<std::unique_ptr<Component>(int index)>;

// One table per component type, entity id -> component; owns every component in the world.
class EntityStore
{
public:
    EntityStore();
    ~EntityStore();
    EntityStore(const EntityStore&) = delete;
    EntityStore& operator=(const EntityStore&) = delete;

    // Stores a clone of `prototype` unless the entity already has that type; returns the stored component.
    Component* AddComponent(const Entity& entity, const Component& prototype, int index);
    template <typename T> T* AddComponent(const Entity& entity)
    {
        return static_cast<T*>(AddComponent(entity, T{}, T::typeIndex));
    }

    Component* GetComponent(const Entity& entity, int index) const;
    template <typename T> T* GetComponent(const Entity& entity) const
    {
        return static_cast<T*>(GetComponent(entity, T::typeIndex));
    }
    bool HasComponent(const Entity& entity, int index) const { return GetComponent(entity, index) != nullptr; }
    template <typename T> bool HasComponent(const Entity& entity) const { return HasComponent(entity, T::typeIndex); }

    // No effect when the entity has no component of that type.
    void RemoveComponent(const Entity& entity, int index);
    template <typename T> void RemoveComponent(const Entity& entity) { RemoveComponent(entity, T::typeIndex); }

    // Removes every component; when it returns no table or system list holds the entity.
    void DestroyEntity(const Entity& entity);

    // Entities having every listed type; empty for an empty list.
    std::vector<Entity> GetEntities(std::initializer_list<ComponentType> types) const;

    // Applies the reader's component objects to the components the entity already has.
    void ReadComponents(const Entity& entity, JsonReader& reader, SystemRegistry* registry);

    // The name stored for an id, empty if none.
    std::string NameOf(std::uint32_t id) const;

    // A fresh default instance of the index's class; null outside 0..28 or when the factory knows no class.
    std::unique_ptr<Component> NewComponent(int index) const;
    // A default instance of the index's class, made on first request; null where NewComponent gives null.
    const Component* GetDefaultComponent(int index);

    ComponentFactory componentFactory;  // the game's component classes; empty: none
    SystemStore* systemStore = nullptr; // notified of every add and remove; never owns
    SystemRegistry* registry = nullptr;

private:
    std::array<std::unordered_map<std::uint32_t, std::unique_ptr<Component>>, componentTypeCount> componentTables;
    std::unordered_map<std::uint32_t, std::string> names;
    std::array<std::unique_ptr<Component>, componentTypeCount> defaultComponents;
};

} // namespace kesto
