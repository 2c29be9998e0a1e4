#include "audio/Audio.h"
#include "audio/AudioInternal.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

namespace kesto
{

namespace
{

struct Prefix
{
    std::string_view word;
    GuidKind kind;
    std::size_t skip; // characters from the word's start to the taken text
};

// Tested in this order. A bank line's name starts after "bank:/".
constexpr std::array<Prefix, 4> prefixes = {{
    {"bank", GuidKind::Bank, 6},
    {"event", GuidKind::Event, 0},
    {"bus", GuidKind::Bus, 0},
    {"parameter", GuidKind::Parameter, 0},
}};

constexpr const char* bankExtension = ".bank";

} // namespace

GuidEntry ClassifyGuidLine(std::string_view line)
{
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
    {
        line.remove_suffix(1);
    }
    for (const Prefix& prefix : prefixes)
    {
        const std::size_t at = line.find(prefix.word);
        if (at != std::string_view::npos)
        {
            return {prefix.kind, std::string(line.substr(std::min(at + prefix.skip, line.size())))};
        }
    }
    return {};
}

studio::Result Audio::ReadGuidList()
{
    if (guidListFile.empty())
    {
        return studio::Result::Ok;
    }
    std::ifstream file(guidListFile);
    if (!file)
    {
        Report(guidListFile, "cannot open the GUID list; no bank, event, bus or parameter is loaded");
        return studio::Result::FileNotFound;
    }
    std::string line;
    while (std::getline(file, line))
    {
        LoadGuidEntry(line);
    }
    return studio::Result::Ok;
}

// Only what the studio system found is kept: every map and list holds usable handles and paths. The studio
// system reports each failure itself.
void Audio::LoadGuidEntry(std::string_view line)
{
    const GuidEntry entry = ClassifyGuidLine(line);
    switch (entry.kind)
    {
    case GuidKind::Bank:
    {
        studio::Bank bank;
        // A second line for a loaded bank answers AlreadyLoaded with the loaded bank.
        Check(studioSystem->LoadBankFile(bankFolder + entry.text + bankExtension, 0, &bank));
        if (bank.IsValid())
        {
            banks.insert_or_assign(entry.text, bank);
        }
        break;
    }
    case GuidKind::Event:
    {
        studio::EventDescription description;
        if (Check(studioSystem->GetEvent(entry.text, &description)) == studio::Result::Ok &&
            events.insert_or_assign(entry.text, description).second)
        {
            eventPaths.push_back(entry.text);
        }
        break;
    }
    case GuidKind::Bus:
    {
        studio::Bus bus;
        if (Check(studioSystem->GetBus(entry.text, &bus)) == studio::Result::Ok)
        {
            buses.insert_or_assign(entry.text, bus);
        }
        break;
    }
    case GuidKind::Parameter:
    {
        studio::ParameterDescription description;
        if (Check(studioSystem->GetParameterDescriptionByName(entry.text, &description)) == studio::Result::Ok &&
            parameters.insert_or_assign(entry.text, description).second)
        {
            parameterPaths.push_back(entry.text);
        }
        break;
    }
    case GuidKind::None:
        break;
    }
}

} // namespace kesto
