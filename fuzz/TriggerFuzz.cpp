// Any text as a trigger component (every kind of trigger function), read, copied, compared and written back.
#include "FuzzWorld.h"
#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "gameplay/TriggerComponent.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kesto::fuzz::FuzzWorld& world = kesto::fuzz::World();
    kesto::JsonReader reader;
    reader.Parse(std::string(kesto::fuzz::Text(data, size)), "fuzz.json", world.registry.GetSystem<kesto::Trace>());
    kesto::TriggerComponent trigger;
    trigger.Read(reader, &world.registry);
    // Not asserted equal: a NaN read from the text differs from itself.
    const auto copy = trigger.Clone();
    static_cast<void>(copy->Equals(trigger));
    kesto::JsonWriter writer;
    trigger.Write(writer);
    return 0;
}
