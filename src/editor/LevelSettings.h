#pragma once

#include "engine/Vector.h"

#include <optional>
#include <string>
#include <vector>

namespace kesto
{

class JsonReader;
class JsonWriter;

// A level file's members other than its entities, kept as the file states them (absent stays absent), so saving
// the level writes back exactly the settings the game read.
struct LevelSettings
{
    struct CameraSettings
    {
        bool hasBounds = false;
        std::optional<Vec2> boundsX; // (min, max) as written
        std::optional<Vec2> boundsY;
        std::optional<float> zoom;
        std::optional<Vec2> position;

        bool operator==(const CameraSettings&) const = default;
    };
    struct LightingSettings
    {
        std::optional<Vec3> ambient;
        std::optional<float> depthScaling;

        bool operator==(const LightingSettings&) const = default;
    };

    std::optional<CameraSettings> camera;
    std::optional<LightingSettings> lighting;
    std::optional<std::vector<std::string>> sublevels;
    std::optional<std::optional<bool>> other; // the "Other" object and its "CanPause", each when present

    bool operator==(const LevelSettings&) const = default;
};

// Reads the settings of the reader's root object.
LevelSettings ReadLevelSettings(JsonReader& reader);
// Writes them as members of the writer's current object.
void WriteLevelSettings(JsonWriter& writer, const LevelSettings& settings);

} // namespace kesto
