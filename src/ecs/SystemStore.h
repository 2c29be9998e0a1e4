#pragma once

#include "ecs/ComponentType.h"
#include "ecs/ESystem.h"
#include "ecs/EntityList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace kesto
{

class EntityStore;

// How often a component system runs in a frame.
enum class SystemRate : std::uint8_t
{
    // Once, after the substeps, with the frame's whole step: drawing, audio, interface.
    PerFrame,
    // Once per substep with the substep's share of the step: everything that moves or times the world, so that
    // what happens does not depend on the frame rate.
    PerSubstep,
};

// How the current frame's step is divided among the substeps: equal parts, none longer than the store's limit.
struct FrameSplit
{
    float frameDt = 0.0f;   // the frame's whole step, as the frame loop gave it
    float substepDt = 0.0f; // frameDt / count
    int count = 1;          // substeps in this frame, at least 1 (a step of 0 still runs one substep of 0)
    int index = 0;          // the substep running now, from 0

    bool IsFirstSubstep() const { return index == 0; }
};

// Owns the component systems, their signatures and the lists of entities that match them, and splits each frame's
// step into substeps for the systems that simulate the world.
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
        SystemRate rate = SystemRate::PerFrame;
        EntityList* entities = nullptr; // the list in entityLists; never owns
    };

    // Adds a system in update order; adding a second system of a type throws DuplicateSystemError.
    void AddSystem(std::unique_ptr<ESystem> system, Signature required, Signature excluded, bool runInGame,
                   bool runInEditor, SystemRate rate = SystemRate::PerFrame);

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
    // Runs the systems enabled for the current mode: the per-substep systems in registration order once per
    // substep, then the per-frame systems in registration order with the whole step.
    void UpdateAll(float dt);
    void DestroyAll();

    const std::vector<std::unique_ptr<Entry>>& Entries() const { return entries; }
    // The split of the frame being updated (or of the last one).
    const FrameSplit& Split() const { return split; }
    // How many substeps of at most maxSubstep seconds a step of dt takes.
    int SubstepCount(float dt) const;

    EntityStore* entityStore = nullptr; // answers the match test; never owns
    SystemRegistry* registry = nullptr;
    bool editorMode = false;
    bool debugDraw = false;
    float maxSubstep = 1.0f / 120.0f; // seconds; the longest substep a frame's step is split into
    // Called before each pass over the systems with whether it repeats a substep of the same frame: the first
    // substep and the per-frame pass see the frame's input presses and releases, repeated substeps must not.
    std::function<void(bool repeatedSubstep)> beginPass;

private:
    const Entry& Find(std::type_index type) const;
    bool Matches(const Entity& entity, const Entry& entry) const;
    void CompactSparseLists();
    void RunPass(SystemRate rate, float dt, bool repeatedSubstep);

    std::vector<std::unique_ptr<Entry>> entries; // registration order
    std::unordered_map<std::type_index, Entry*> systems;
    std::unordered_map<std::type_index, EntityList> entityLists;
    bool updating = false; // lists are compacted only while no system walks them
    FrameSplit split;
};

} // namespace kesto
