#include "editor/LevelSettings.h"

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"

namespace kesto
{

namespace
{

template <typename T, typename Read> std::optional<T> ReadOptional(Read read)
{
    T value{};
    if (read(value))
    {
        return value;
    }
    return std::nullopt;
}

LevelSettings::CameraSettings ReadCamera(JsonReader& reader)
{
    LevelSettings::CameraSettings camera;
    if (reader.Enter("Bounds"))
    {
        camera.hasBounds = true;
        camera.boundsX = ReadOptional<Vec2>([&](Vec2& v) { return reader.TryReadVec2("X", v); });
        camera.boundsY = ReadOptional<Vec2>([&](Vec2& v) { return reader.TryReadVec2("Y", v); });
        reader.Leave();
    }
    camera.zoom = ReadOptional<float>([&](float& v) { return reader.TryReadFloat("Zoom", v); });
    camera.position = ReadOptional<Vec2>([&](Vec2& v) { return reader.TryReadVec2("Position", v); });
    return camera;
}

} // namespace

LevelSettings ReadLevelSettings(JsonReader& reader)
{
    LevelSettings settings;
    if (reader.Enter("Camera"))
    {
        settings.camera = ReadCamera(reader);
        reader.Leave();
    }
    if (reader.Enter("Lighting"))
    {
        LevelSettings::LightingSettings lighting;
        lighting.ambient = ReadOptional<Vec3>([&](Vec3& v) { return reader.TryReadVec3("Ambient", v); });
        lighting.depthScaling = ReadOptional<float>([&](float& v) { return reader.TryReadFloat("DepthScaling", v); });
        settings.lighting = lighting;
        reader.Leave();
    }
    settings.sublevels =
        ReadOptional<std::vector<std::string>>([&](std::vector<std::string>& v) { return reader.ReadSublevels(v); });
    if (reader.Enter("Other"))
    {
        settings.other = ReadOptional<bool>([&](bool& v) { return reader.TryReadBool("CanPause", v); });
        reader.Leave();
    }
    return settings;
}

void WriteLevelSettings(JsonWriter& writer, const LevelSettings& settings)
{
    if (settings.camera)
    {
        const LevelSettings::CameraSettings& camera = *settings.camera;
        writer.BeginObject("Camera");
        if (camera.hasBounds)
        {
            writer.BeginObject("Bounds");
            if (camera.boundsX)
            {
                writer.WriteVec2("X", *camera.boundsX);
            }
            if (camera.boundsY)
            {
                writer.WriteVec2("Y", *camera.boundsY);
            }
            writer.EndObject();
        }
        if (camera.zoom)
        {
            writer.WriteFloat("Zoom", *camera.zoom);
        }
        if (camera.position)
        {
            writer.WriteVec2("Position", *camera.position);
        }
        writer.EndObject();
    }
    if (settings.lighting)
    {
        writer.BeginObject("Lighting");
        if (settings.lighting->ambient)
        {
            writer.WriteVec3("Ambient", *settings.lighting->ambient);
        }
        if (settings.lighting->depthScaling)
        {
            writer.WriteFloat("DepthScaling", *settings.lighting->depthScaling);
        }
        writer.EndObject();
    }
    if (settings.sublevels)
    {
        writer.WriteStringList("Sublevels", *settings.sublevels);
    }
    if (settings.other)
    {
        writer.BeginObject("Other");
        if (*settings.other)
        {
            writer.WriteBool("CanPause", **settings.other);
        }
        writer.EndObject();
    }
}

} // namespace kesto
