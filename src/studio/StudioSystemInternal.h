#pragma once

#include "studio/Bank.h"
#include "studio/BankParser.h"
#include "studio/Bus.h"
#include "studio/CoreSystem.h"
#include "studio/CoreSystemInternal.h"
#include "studio/EventDescription.h"
#include "studio/EventInstance.h"
#include "studio/Mixer.h"
#include "studio/StudioTypes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace kesto::studio::detail
{

// "parameter:/Time_Slow" and "Time_Slow" both name the parameter "Time_Slow".
inline std::string_view BareParameterName(std::string_view nameOrPath)
{
    constexpr std::string_view prefix = "parameter:/";
    return nameOrPath.starts_with(prefix) ? nameOrPath.substr(prefix.size()) : nameOrPath;
}

// One sound file's decoding: null samples, and why, when the file could not be decoded.
struct DecodedFile
{
    std::shared_ptr<const SampleBuffer> samples; // shared with playing voices
    std::string error;
};

struct LoadedSound
{
    SoundDef def;
    std::shared_future<DecodedFile> decoded; // ready once its loader decoded it
    std::string key;                         // of the sample cache
    std::string origin;                      // the bank line and the file, for a report when it fails
};

struct EventRecord
{
    EventDef def;
    std::vector<LoadedSound> sounds; // the sounds that decoded or are still decoding
    std::uint32_t bank = 0;
    bool busReported = false; // a missing bus is reported once per event
};

struct BusRecord
{
    BusDef def;
    ControlId group = noControl;
    std::uint32_t bank = 0; // 0 for the master bus, which belongs to no bank
    float volume = 1.0f;
    bool mute = false;
    float finalVolume = 1.0f;
};

// A parameter's value as asked for and as reached by seeking toward it.
struct ParameterValue
{
    float value = 0.0f;
    float current = 0.0f;
};

struct ParameterRecord
{
    ParameterDef def;
    ParameterValue value; // used for global parameters; local ones keep theirs in each instance
    std::uint32_t bank = 0;
};

struct InstanceRecord
{
    std::uint32_t event = 0;
    ControlId group = noControl; // created at the first start, under the event's bus group
    ControlId busGroup = noControl;
    PlaybackState state = PlaybackState::Stopped;
    Attributes3D attributes;
    bool positioned = false; // 3D attributes were set
    float volume = 1.0f;
    float pitch = 1.0f;
    bool paused = false;
    bool released = false;
    std::map<std::string, ParameterValue, std::less<>> parameters; // local parameters by name
    int lastChoice = -1; // the sound a random event played last, not repeated next time
};

struct EffectRecord
{
    EffectDef def;
    std::uint32_t bank = 0;
    bool checked = false; // its parameter and target were looked up (and reported if missing)
};

struct BankRecord
{
    std::string path;     // as given to LoadBankFile
    std::string identity; // canonical path, to spot a second load of the same file
};

// Everything behind a StudioSystem and its handles. Single-threaded; only the mixer inside is shared.
class StudioState
{
public:
    StudioState();
    ~StudioState();
    StudioState(const StudioState&) = delete;
    StudioState& operator=(const StudioState&) = delete;

    Result Initialize(const InitDef& def);
    Result Release();
    Result Update();
    // Waits until every sound file of the loaded banks is decoded (and reports those that failed).
    Result FlushSampleLoading();
    bool IsInitialized() const { return initialized; }
    void Report(std::string_view message) const;
    void SetReportCallback(ReportCallback report) { core.state->report = std::move(report); }
    Mixer& GetMixer() { return *core.state->mixer; }

    // StudioStateBanks.cpp
    Result LoadBank(std::string_view path, Bank* bank);
    Result UnloadBank(std::uint32_t bank);
    void UnloadAll();

    // Lookups; null when the id or path names nothing (or the system is not initialised).
    BankRecord* FindBank(std::uint32_t id);
    EventRecord* FindEvent(std::uint32_t id);
    BusRecord* FindBus(std::uint32_t id);
    InstanceRecord* FindInstance(std::uint32_t id);
    std::optional<std::uint32_t> FindEventId(std::string_view path) const;
    std::optional<std::uint32_t> FindBusId(std::string_view path) const;
    ParameterRecord* FindParameter(std::string_view nameOrPath);

    Result CreateInstance(std::uint32_t event, EventInstance* instance);
    Result StartInstance(std::uint32_t instance);
    Result StopInstance(std::uint32_t instance, StopMode mode);
    Result StopBusEvents(std::uint32_t bus, StopMode mode);
    void ApplyBusMix(BusRecord& bus);
    void ApplyInstanceMix(InstanceRecord& instance);
    GroupMix InstanceMix(const InstanceRecord& instance);
    std::uint64_t Frames(float seconds) const;

    Bank MakeBank(std::uint32_t id) { return Bank(this, id); }
    Bus MakeBus(std::uint32_t id) { return Bus(this, id); }
    EventDescription MakeEvent(std::uint32_t id) { return EventDescription(this, id); }
    EventInstance MakeInstance(std::uint32_t id) { return EventInstance(this, id); }
    ChannelGroup MakeGroup(ControlId id) { return core.state->MakeGroup(id); }

    CoreSystem core;
    Attributes3D listener;
    std::map<std::uint32_t, BankRecord> banks;
    std::map<std::uint32_t, EventRecord> events;
    std::map<std::uint32_t, BusRecord> buses;
    std::map<std::string, ParameterRecord, std::less<>> parameters; // by name, without "parameter:/"
    std::vector<EffectRecord> effects;
    std::map<std::uint32_t, InstanceRecord> instances;

private:
    // StudioStateBanks.cpp
    void AddBuses(std::uint32_t bank, std::vector<BusDef>& defs, const std::string& file);
    void AddParameters(std::uint32_t bank, std::vector<ParameterDef>& defs, const std::string& file);
    void AddEvents(std::uint32_t bank, std::vector<EventDef>& defs, const std::string& file);
    // Starts decoding the sound files of `defs` (under `folder`) that are not in the cache yet, side by side on
    // loader threads, and puts their decodings in the cache.
    void DecodeNewSounds(const std::vector<EventDef>& defs, const std::filesystem::path& folder);
    static std::string SampleKey(const std::filesystem::path& path);
    void DropStrandedRecords();
    // Leaves out of their events the sounds whose decoding failed, reporting each once; with `wait`, waits for
    // every decoding first.
    void SettleDecodedSounds(bool wait);

    // StudioStateUpdate.cpp
    void CheckEffects();
    void SeekParameters(float seconds);
    void UpdatePlaybackStates();
    std::optional<float> EffectInput(const EffectRecord& effect, const InstanceRecord* instance);
    void ApplyEffects(const std::string& target, const InstanceRecord* instance, GroupMix& mix);

    int PickSound(const EventRecord& event, InstanceRecord& instance);

    bool initialized = false;
    std::uint32_t nextId = 1;
    std::uint64_t lastUpdateClock = 0;
    std::mt19937 random;
    std::unordered_map<std::string, std::uint32_t> eventIds;
    std::unordered_map<std::string, std::uint32_t> busIds;
    // Decodings by normalised path, shared by every event (of any bank) that names the same file.
    std::map<std::string, std::shared_future<DecodedFile>> sampleCache;
    std::vector<std::jthread> loaders;
    // Some event holds a sound whose decoding may still fail; each is reported and left out once it did.
    bool soundsUnsettled = false;
};

} // namespace kesto::studio::detail
