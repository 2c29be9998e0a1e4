#pragma once

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace kesto::test
{

// Reads `json` (one object) into `component` as an archetype or level override would.
template <typename T> void ReadJson(T& component, const std::string& json, SystemRegistry* registry = nullptr)
{
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(json, "test.json", nullptr)) << json;
    component.Read(reader, registry);
}

// The text `component` writes, as one object.
template <typename T> std::string WriteJson(const T& component)
{
    JsonWriter writer;
    component.Write(writer);
    return writer.Finish();
}

// A fresh component read back from what `component` writes.
template <typename T> T RoundTrip(const T& component)
{
    T copy;
    ReadJson(copy, WriteJson(component));
    return copy;
}

// A registry holding only a quiet Trace, for reads that report bad data.
struct QuietTrace
{
    QuietTrace()
    {
        auto owned = std::make_unique<Trace>();
        owned->echo = nullptr;
        trace = owned.get();
        registry.Register(std::move(owned));
    }

    SystemRegistry registry;
    Trace* trace = nullptr;
};

} // namespace kesto::test
