#pragma once

#include "ecs/ComponentType.h"
#include "ecs/ESystem.h"
#include "ecs/EntityList.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace kesto
{

class EntityStore;

// Owns the component systems, their signatures and the lists of entities that match them.
class SystemStore
{
public:
    struct Entry
    {
        std::unique_ptr<ESystem> system;
        Signature required;
        Signature excluded;
        bool runInGame = true;
        bool runInEditor = false;
        EntityList* entities = nullptr; // the list in entityLists; never owns
    };

    // Adds a system in update order; adding a second system of a type throws DuplicateSystemError.
    void AddSystem(std::unique_ptr<ESystem> system, Signature required, Signature excluded, bool runInGame,
                   bool runInEditor);

    // A missing type throws MissingSystemError.
    template <typename T> T* GetSystem() const { return dynamic_cast<T*>(GetSystem(typeid(T))); }
    ESystem* GetSystem(std::type_index type) const { return Find(type).system.get(); }

    // Hands the registry to the store and to every system already added.
    void AttachRegistry(SystemRegistry* owner);

    // The system's entity list, created empty on first access.
    EntityList& GetEntityList(std::type_index type);
    template <typename T> EntityList& GetEntityList() { return GetEntityList(typeid(T)); }

    // Systems whose required signature holds every bit of `signature`, in registration order.
    std::vector<ESystem*> GetSystemsWithComponents(Signature signature) const;

    void OnComponentAdded(const Entity& entity, int index);
    void OnComponentRemoved(const Entity& entity, int index);

    void InitAll();
    // Runs the systems enabled for the current mode, in registration order.
    void UpdateAll(float dt);
    void DestroyAll();

    const std::vector<std::unique_ptr<Entry>>& Entries() const { return entries; }

    EntityStore* entityStore = nullptr; // answers the match test; never owns
    SystemRegistry* registry = nullptr;
    bool editorMode = false;
    bool debugDraw = false;

private:
    const Entry& Find(std::type_index type) const;
    bool Matches(const Entity& entity, const Entry& entry) const;
    void CompactSparseLists();

    std::vector<std::unique_ptr<Entry>> entries; // registration order
    std::unordered_map<std::type_index, Entry*> systems;
    std::unordered_map<std::type_index, EntityList> entityLists;
    bool updating = false; // lists are compacted only while no system walks them
};

} // namespace kesto
