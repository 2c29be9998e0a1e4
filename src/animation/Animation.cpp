#include "animation/Animation.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

void Animation::Write(JsonWriter& writer) const
{
    writer.WriteBool("playOnStart", playOnStart);
    writer.WriteBool("destroyOnFinish", destroyOnFinish);
}

void Animation::Read(JsonReader& reader, SystemRegistry*)
{
    reader.TryReadBool("playOnStart", playOnStart);
    reader.TryReadBool("destroyOnFinish", destroyOnFinish);
}

bool Animation::Equals(const Component& other) const
{
    const auto& o = static_cast<const Animation&>(other);
    return playOnStart == o.playOnStart && destroyOnFinish == o.destroyOnFinish;
}

void Animation::Restart()
{
    playOnStart = true;
    finished = false;
    playing = true;
}

} // namespace kesto
