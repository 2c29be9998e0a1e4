#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kesto::spine
{

// Receives one line per problem found while loading (what and where); may be empty.
using ReportCallback = std::function<void(std::string_view message)>;

// Straight RGBA, each channel 0..1.
struct Color
{
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;

    bool operator==(const Color& other) const = default;
};

enum class BlendMode : std::uint8_t
{
    Normal,
    Additive,
    Multiply,
    Screen,
};

// How a bone inherits its parent's transform. Only Normal is posed as written; the others are read so that
// files using them load, and are posed as Normal.
enum class TransformMode : std::uint8_t
{
    Normal,
    OnlyTranslation,
    NoRotationOrReflection,
    NoScale,
    NoScaleOrReflection,
};

} // namespace kesto::spine
