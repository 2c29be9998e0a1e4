#include "gameplay/Checkpoint.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Checkpoint::Write(JsonWriter& writer) const { writer.WriteBool("activated", activated); }

void Checkpoint::Read(JsonReader& reader, SystemRegistry*) { reader.TryReadBool("activated", activated); }

bool Checkpoint::Equals(const Component& other) const
{
    const auto* checkpoint = dynamic_cast<const Checkpoint*>(&other);
    return checkpoint && activated == checkpoint->activated;
}

} // namespace kesto
