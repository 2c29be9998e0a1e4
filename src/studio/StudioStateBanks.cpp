#include "studio/Decoder.h"
#include "studio/StudioSystemInternal.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <thread>

namespace kesto::studio::detail
{
namespace
{

std::string LineTag(const std::string& file, int line) { return file + ":" + std::to_string(line) + ": "; }

// "bus:/A/B" mixes into "bus:/A"; "bus:/A" into the master "bus:/".
std::string ParentBusPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string parent = path.substr(0, slash);
    return parent.back() == ':' ? parent + "/" : parent;
}

} // namespace

Result StudioState::LoadBank(std::string_view path, Bank* bank)
{
    if (bank == nullptr)
    {
        return Result::InvalidParam;
    }
    *bank = Bank();
    if (!initialized)
    {
        return Result::NotInitialized;
    }
    const std::string file(path);
    std::error_code error;
    std::string identity = std::filesystem::weakly_canonical(file, error).string();
    if (error)
    {
        identity = file;
    }
    for (const auto& [id, loaded] : banks)
    {
        if (loaded.identity == identity)
        {
            *bank = MakeBank(id);
            return Result::AlreadyLoaded;
        }
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
    {
        Report(file + ": cannot open the bank file");
        return Result::FileNotFound;
    }
    std::ostringstream text;
    text << stream.rdbuf();
    std::optional<BankDef> def = ParseBank(text.str(), file, core.state->report);
    if (!def)
    {
        return Result::FileBad;
    }
    const std::uint32_t id = nextId++;
    banks.emplace(id, BankRecord{file, identity});
    AddBuses(id, def->buses, file);
    AddParameters(id, def->parameters, file);
    AddEvents(id, def->events, file);
    for (EffectDef& effect : def->effects)
    {
        effects.push_back(EffectRecord{std::move(effect), id, false});
    }
    *bank = MakeBank(id);
    return Result::Ok;
}

Result StudioState::UnloadBank(std::uint32_t bank)
{
    if (FindBank(bank) == nullptr)
    {
        return Result::InvalidHandle;
    }
    Mixer& mixer = GetMixer();
    std::erase_if(instances,
                  [&](auto& entry)
                  {
                      const bool ofBank = events.at(entry.second.event).bank == bank;
                      if (ofBank)
                      {
                          mixer.RemoveGroup(entry.second.group);
                      }
                      return ofBank;
                  });
    for (const auto& [id, bus] : buses)
    {
        if (bus.bank == bank)
        {
            mixer.RemoveGroup(bus.group);
        }
    }
    std::erase_if(events,
                  [&](const auto& entry)
                  {
                      const bool ofBank = entry.second.bank == bank;
                      if (ofBank)
                      {
                          eventIds.erase(entry.second.def.path);
                      }
                      return ofBank;
                  });
    std::erase_if(parameters, [&](const auto& entry) { return entry.second.bank == bank; });
    std::erase_if(effects, [&](const EffectRecord& effect) { return effect.bank == bank; });
    banks.erase(bank);
    DropStrandedRecords();
    // Files no remaining event names are dropped; voices still playing one keep its samples.
    std::set<std::string_view> named;
    for (const auto& [id, event] : events)
    {
        for (const LoadedSound& sound : event.sounds)
        {
            named.insert(sound.key);
        }
    }
    std::erase_if(sampleCache, [&](const auto& entry) { return !named.contains(entry.first); });
    return Result::Ok;
}

void StudioState::UnloadAll()
{
    while (!banks.empty())
    {
        UnloadBank(banks.begin()->first);
    }
}

void StudioState::AddBuses(std::uint32_t bank, std::vector<BusDef>& defs, const std::string& file)
{
    for (BusDef& def : defs)
    {
        if (FindBusId(def.path))
        {
            Report(LineTag(file, def.line) + "bus \"" + def.path + "\" is already loaded; line skipped");
            continue;
        }
        const std::string parentPath = ParentBusPath(def.path);
        const std::optional<std::uint32_t> parent = FindBusId(parentPath);
        if (!parent)
        {
            Report(LineTag(file, def.line) + "bus \"" + def.path + "\": its parent \"" + parentPath +
                   "\" is not loaded (declare parents first); line skipped");
            continue;
        }
        BusRecord bus;
        bus.group = GetMixer().AddGroup(buses.at(*parent).group, GroupMix{def.volume});
        if (def.echoDelay > 0.0f)
        {
            GetMixer().SetGroupEcho(bus.group, def.echoDelay, def.echoFeedback);
        }
        bus.bank = bank;
        bus.finalVolume = def.volume;
        bus.def = std::move(def);
        const std::uint32_t id = nextId++;
        busIds.emplace(bus.def.path, id);
        buses.emplace(id, std::move(bus));
    }
}

void StudioState::AddParameters(std::uint32_t bank, std::vector<ParameterDef>& defs, const std::string& file)
{
    for (ParameterDef& def : defs)
    {
        if (parameters.contains(def.name))
        {
            Report(LineTag(file, def.line) + "parameter \"" + def.name + "\" is already loaded; line skipped");
            continue;
        }
        const float start = def.defaultValue;
        std::string name = def.name;
        parameters.emplace(std::move(name), ParameterRecord{std::move(def), ParameterValue{start, start}, bank});
    }
}

void StudioState::AddEvents(std::uint32_t bank, std::vector<EventDef>& defs, const std::string& file)
{
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    DecodeNewSounds(defs, folder);
    for (EventDef& def : defs)
    {
        if (FindEventId(def.path))
        {
            Report(LineTag(file, def.line) + "event \"" + def.path + "\" is already loaded; line skipped");
            continue;
        }
        EventRecord event;
        event.bank = bank;
        for (SoundDef& sound : def.sounds)
        {
            const std::filesystem::path soundPath = folder / sound.file;
            std::string key = SampleKey(soundPath);
            std::string origin = LineTag(file, sound.line) + "sound file \"" + soundPath.string() + "\"";
            auto decoded = sampleCache.at(key);
            event.sounds.push_back(
                LoadedSound{std::move(sound), std::move(decoded), std::move(key), std::move(origin)});
            soundsUnsettled = true;
        }
        def.sounds.clear();
        event.def = std::move(def);
        const std::uint32_t id = nextId++;
        eventIds.emplace(event.def.path, id);
        events.emplace(id, std::move(event));
    }
}

std::string StudioState::SampleKey(const std::filesystem::path& path) { return path.lexically_normal().string(); }

void StudioState::DecodeNewSounds(const std::vector<EventDef>& defs, const std::filesystem::path& folder)
{
    auto keys = std::make_shared<std::vector<std::string>>();
    for (const EventDef& def : defs)
    {
        for (const SoundDef& sound : def.sounds)
        {
            const std::string key = SampleKey(folder / sound.file);
            if (!FindEventId(def.path) && !sampleCache.contains(key) &&
                std::find(keys->begin(), keys->end(), key) == keys->end())
            {
                keys->push_back(key);
            }
        }
    }
    // Decoding is nearly all of a bank's loading time, and every file decodes on its own: one thread per core but
    // one, which stays with the game's start. The bank is usable at once; an event started before its sounds are
    // decoded waits for them (see StartInstance).
    auto promises = std::make_shared<std::vector<std::promise<DecodedFile>>>(keys->size());
    for (std::size_t i = 0; i < keys->size(); ++i)
    {
        sampleCache.emplace((*keys)[i], (*promises)[i].get_future().share());
    }
    const int sampleRate = GetMixer().SampleRate();
    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, 5) - 1;
    for (std::size_t first = 0; first < workers && first < keys->size(); ++first)
    {
        loaders.emplace_back(
            [keys, promises, first, workers, sampleRate]
            {
                for (std::size_t i = first; i < keys->size(); i += workers)
                {
                    auto samples = std::make_shared<SampleBuffer>();
                    DecodedFile decoded;
                    if (DecodeFile((*keys)[i], sampleRate, *samples, decoded.error) == Result::Ok)
                    {
                        decoded.samples = std::move(samples);
                    }
                    (*promises)[i].set_value(std::move(decoded));
                }
            });
    }
}

void StudioState::SettleDecodedSounds(bool wait)
{
    if (!soundsUnsettled)
    {
        return;
    }
    soundsUnsettled = false;
    for (auto& [id, event] : events)
    {
        std::erase_if(event.sounds,
                      [&](const LoadedSound& sound)
                      {
                          if (!wait && sound.decoded.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
                          {
                              soundsUnsettled = true;
                              return false;
                          }
                          const DecodedFile& decoded = sound.decoded.get();
                          if (decoded.samples)
                          {
                              return false;
                          }
                          Report(sound.origin + ": " + decoded.error + "; sound skipped");
                          return true;
                      });
    }
    if (!soundsUnsettled)
    {
        // Every file is decoded, so every loader has finished its work.
        loaders.clear();
    }
}

void StudioState::DropStrandedRecords()
{
    // A bus of another bank below a removed bus lost its group with it.
    Mixer& mixer = GetMixer();
    std::erase_if(buses,
                  [&](const auto& entry)
                  {
                      const bool stranded = !mixer.Exists(entry.second.group);
                      if (stranded)
                      {
                          busIds.erase(entry.second.def.path);
                      }
                      return stranded;
                  });
    for (auto& [id, instance] : instances)
    {
        if (instance.group != noControl && !mixer.Exists(instance.group))
        {
            instance.group = noControl;
            instance.busGroup = noControl;
            instance.state = PlaybackState::Stopped;
        }
    }
}

} // namespace kesto::studio::detail
