#include "physics/Gravity.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Gravity::Write(JsonWriter& writer) const { writer.WriteFloat("amount", amount); }

void Gravity::Read(JsonReader& reader, SystemRegistry*) { reader.TryReadFloat("amount", amount); }

bool Gravity::Equals(const Component& other) const
{
    const auto* gravity = dynamic_cast<const Gravity*>(&other);
    return gravity && gravity->amount == amount;
}

} // namespace kesto
