#pragma once

#include "engine/Matrix3.h"
#include "engine/Vector.h"
#include "graphics/GlObject.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kesto
{

// One linked GL program, with its active uniforms and a cache of uniform locations.
class Shader
{
public:
    struct Uniform
    {
        std::string name;  // at most 31 characters, as GL lists it
        unsigned type = 0; // GL type enum
    };

    explicit Shader(std::string shaderName) : name(std::move(shaderName)) {}

    // Takes a linked program and lists its active uniforms.
    void Adopt(GlProgram linked);

    // Makes the program current.
    void Use() const;
    unsigned Program() const { return program.Get(); }

    // Location of a uniform by name (-1 when the program has none), cached after the first lookup.
    int Location(std::string_view uniformName) const;

    // Setters for the program that is current; location -1 is ignored, as GL does.
    static void Set(int location, int value);
    static void Set(int location, float value);
    static void Set(int location, Vec2 value);
    static void Set(int location, Vec3 value);
    static void Set(int location, const Matrix3& value);
    template <typename T> void Set(std::string_view uniformName, const T& value) const
    {
        Set(Location(uniformName), value);
    }

    std::string name;
    std::vector<Uniform> uniforms;
    std::string vertPath; // the sources it was built from, for variants
    std::string fragPath;

private:
    struct NameHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    GlProgram program;
    mutable std::unordered_map<std::string, int, NameHash, std::equal_to<>> locations;
};

} // namespace kesto
