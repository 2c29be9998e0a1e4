#include "graphics/Video.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Video::Write(JsonWriter& writer) const { writer.WriteString("path", path); }

void Video::Read(JsonReader& reader, SystemRegistry*) { reader.TryReadString("path", path); }

bool Video::Equals(const Component& other) const
{
    const auto* video = dynamic_cast<const Video*>(&other);
    return video && path == video->path;
}

} // namespace kesto
