#pragma once

#include "ecs/ESystem.h"
#include "studio/LibraryLog.h"
#include "studio/StudioSystem.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kesto
{

class SoundEmitter;
class SystemRegistry;
class Transform;

// How music and sounds end when stopped.
enum class AudioStopMode : std::uint8_t
{
    AllowFadeOut, // an event with a fade-out plays it first
    Immediate,
};

// 32-bit FNV-1a over the key's bytes; the hash of every string-keyed audio map.
struct Fnv1aHash
{
    std::size_t operator()(std::string_view key) const;
};

// Owns all sound: the studio and core systems, the banks named by the GUID list, the event instances, the user
// volumes and the cinematic sound tracks; services every SoundEmitter once per frame. Main thread only.
// It also owns the route of FFmpeg's log (studio::LibraryLog) from Init on, for every FFmpeg user of the program,
// and hands its lines to Trace once per frame.
// Every studio or core call's result is kept in `lastResult` (Ok = success) and otherwise ignored: a missing
// bank, event, bus or parameter makes its operations do nothing audible.
class Audio : public ESystem
{
public:
    // Without an asset root no bank or cinematic sound is read until paths are given.
    Audio();
    // The game's studio project and cinematic sound tracks under the asset root.
    explicit Audio(std::string_view assetRoot);
    ~Audio() override;
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    // Creates the studio system, reads the GUID list and preloads the cinematic sounds.
    void Init() override;
    // Time-slow and pause sounds from the registry's time scale, the emitters, the listener at the camera, then
    // the studio system's update. Needs the `Camera` system.
    void Update(EntityList& entities, float dt) override;

    // Global instances, keyed by the event path alone. Starting one again restarts it.
    void PlayEvent(const std::string& path);
    void StopEvent(const std::string& path);
    // The entity's own instance of the event, keyed by path + entity id in decimal.
    void PlayEmitterEvent(const std::string& path, std::uint32_t entityId);
    void SetEventParameter(const std::string& key, const std::string& name, float value);
    void SetEvent3DAttributes(const Transform& transform, const std::string& key);

    // Global parameters by name ("Time_Slow") or path ("parameter:/Time_Slow"); 0 for an unknown one.
    float GetGlobalParameter(const std::string& name);
    void SetGlobalParameter(const std::string& name, float value);
    // Every global parameter of the GUID list back to 0.
    void ResetGlobalParameters();
    // Releases every event instance (each goes once it has stopped) and forgets them all.
    void ReleaseAllInstances();

    void SetBusVolume(const std::string& path, float volume);
    // Volumes are clamped to 0..1 and pushed to the buses they scale.
    void SetMasterVolume(float volume);
    void SetSFXVolume(float volume);
    void SetMusicVolume(float volume);

    // Stops every event and channel at once.
    void StopAllSounds();
    void StopMusic(AudioStopMode mode);

    // Plays the mp3 beside a video (the path's extension replaced by "mp3") on `cinematicChannel`. A file that
    // is missing plays nothing and is looked for again at the next call.
    void PlayCinematicSound(const std::string& path, bool loop);
    void StopCinematicChannel();

    // Volume fade on the "bus:/Music" group from `musicVolume` now to `target` in `seconds`; refreshes
    // `musicChannel` and the two clock fields. Returns the clock at which the fade ends.
    std::uint64_t FadeMusic(float seconds, float target);
    // Removes the fade points of `musicChannel` whose clocks lie in [from, to].
    void RemoveMusicFadePoints(std::uint64_t from, std::uint64_t to);
    // The same fade on `cinematicChannel`; the clock fields keep the music's values.
    void FadeCinematic(float seconds, float target);
    // `musicChannel` := the group of "bus:/Music".
    void RefreshMusicChannel();
    // Cancels every fade on `musicChannel` and `cinematicChannel`.
    void RemoveAllFadePoints();

    bool HasEvent(const std::string& path) const { return events.contains(path); }
    // Null handles when absent.
    studio::EventInstance FindInstance(const std::string& key) const;
    studio::Bus FindBus(const std::string& path) const;
    // Found by the GUID list, in file order; the editors list them.
    const std::vector<std::string>& EventPaths() const { return eventPaths; }
    const std::vector<std::string>& ParameterPaths() const { return parameterPaths; }
    // The names (without "parameter:/") of the global parameters, in the order of the GUID list.
    std::vector<std::string> GlobalParameterNames() const;
    // Null before Init; live until destruction. Tests pull mixed frames from the core system.
    studio::StudioSystem* Studio() const { return studioSystem.get(); }
    studio::CoreSystem* Core() const { return core; }

    // Read at Init.
    studio::OutputMode output = studio::OutputMode::Auto; // NoOutput in tests: nothing mixes unless pulled
    std::uint32_t randomSeed = 0;                         // choice among an event's sounds; 0 = random
    int maxChannels = 1024;
    std::string bankFolder;
    std::string guidListFile; // empty: no banks are loaded and nothing is reported
    std::vector<std::string> preloadedCinematics;

    studio::ChannelGroup musicChannel; // the group of "bus:/Music", as last refreshed
    studio::Channel cinematicChannel;  // the last cinematic sound played
    float masterVolume = 1.0f;         // 0..1; the menus read the three volumes for their sliders
    float sfxVolume = 1.0f;
    float musicVolume = 1.0f;
    int sampleRate = 1;            // the mixer's frames per second, read at Init
    std::uint64_t parentClock = 0; // as last read by FadeMusic
    std::uint64_t dspClock = 0;
    studio::Result lastResult = studio::Result::Ok; // of the last studio or core call
    bool timeSlowArmed = true;                      // the time-slow sound starts at the next slowed frame
    bool pauseArmed = true;                         // the pause music starts at the next paused frame

private:
    template <typename T> using Map = std::unordered_map<std::string, T, Fnv1aHash>;

    studio::Result Check(studio::Result result);
    void Report(std::string_view subject, std::string_view what) const;
    // The result of reading the list: Ok, or FileNotFound when it cannot be opened.
    studio::Result ReadGuidList();
    void LoadGuidEntry(std::string_view line);
    void PreloadCinematics();
    void UpdateTimeStates();
    void PlayInstance(const std::string& key, const std::string& path);
    // Reads the channel's clocks into the two out values, then adds the fade's two points; returns the end clock.
    std::uint64_t FadeChannel(studio::ChannelControl& channel, float seconds, float target, std::uint64_t& dsp,
                              std::uint64_t& parent);
    void StopBus(const std::string& path, studio::StopMode mode);

    // Starts, places and retires the entity's queued sounds and hands its parameter changes to one of them.
    void ServiceEmitter(const Entity& entity, SoundEmitter& emitter, Transform* transform);
    // True when the entity is so far from the camera that parameter changes are dropped.
    bool OutsideHearing(const Transform& transform) const;

    std::unique_ptr<studio::LibraryLog> libraryLog; // declared first: it outlives the studio system
    std::unique_ptr<studio::StudioSystem> studioSystem;
    studio::CoreSystem* core = nullptr; // owned by studioSystem
    Map<studio::Bank> banks;
    Map<studio::EventDescription> events;
    Map<studio::EventInstance> instances;
    Map<studio::Bus> buses;
    Map<studio::ParameterDescription> parameters;
    std::vector<std::string> eventPaths;
    std::vector<std::string> parameterPaths;
    std::map<std::string, studio::Sound> cinematicSounds;
};

// Every event path of the game's Audio system, in the bank's order; none without one. Feeds the sound combos of
// the inspectors.
std::vector<std::string> AudioEventNames(SystemRegistry* registry);
// The global parameter names of the game's Audio system; none without one. Feeds the parameter combos.
std::vector<std::string> AudioGlobalParameterNames(SystemRegistry* registry);

} // namespace kesto
