#include "gameplay/TriggerComponent.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/Trace.h"

#include <string>

namespace kesto
{

void TriggerComponent::Write(JsonWriter& writer) const
{
    for (const std::optional<TriggerFunction>& function : functions)
    {
        if (function)
        {
            writer.BeginObject(function->EditorName().c_str());
            function->Write(writer);
            writer.EndObject();
        }
    }
}

void TriggerComponent::Read(JsonReader& reader, SystemRegistry* registry)
{
    functions.clear();
    std::string key;
    for (JsonMemberKind kind = reader.NextMember(key); kind != JsonMemberKind::End; kind = reader.NextMember(key))
    {
        if (kind != JsonMemberKind::Object)
        {
            TraceReport(registry, "DATA", reader.SourceName(), "trigger member \"" + key + "\" is not an object");
            continue;
        }
        std::optional<TriggerFunction> function = TriggerFunction::Create(key);
        if (function)
        {
            function->Read(reader);
            functions.push_back(std::move(function));
        }
        else
        {
            TraceReport(registry, "DATA", reader.SourceName(), "unknown trigger function \"" + key + "\"");
        }
        reader.Leave();
    }
}

bool TriggerComponent::Equals(const Component& other) const
{
    const auto* trigger = dynamic_cast<const TriggerComponent*>(&other);
    if (!trigger || functions.size() != trigger->functions.size())
    {
        return false;
    }
    for (std::size_t i = 0; i < functions.size(); ++i)
    {
        const std::optional<TriggerFunction>& mine = functions[i];
        const std::optional<TriggerFunction>& theirs = trigger->functions[i];
        if (mine.has_value() != theirs.has_value() || (mine && !mine->Equals(*theirs)))
        {
            return false;
        }
    }
    return true;
}

} // namespace kesto
