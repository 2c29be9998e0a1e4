#pragma once

#include <utility>

namespace kesto
{

// Deleters for the GL object kinds the engine owns; each needs the context current and skips the name 0.
void DeleteGlTexture(unsigned name);
void DeleteGlBuffer(unsigned name);
void DeleteGlVertexArray(unsigned name);
void DeleteGlFramebuffer(unsigned name);
void DeleteGlProgram(unsigned name);

// Owns one GL object name (0 = none) and deletes it on destruction; move-only.
template <void (*deleter)(unsigned)> class GlObject
{
public:
    GlObject() = default;
    explicit GlObject(unsigned objectName) : name(objectName) {}
    ~GlObject() { Reset(); }
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;
    GlObject(GlObject&& other) noexcept : name(std::exchange(other.name, 0u)) {}
    GlObject& operator=(GlObject&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            name = std::exchange(other.name, 0u);
        }
        return *this;
    }

    unsigned Get() const { return name; }
    explicit operator bool() const { return name != 0; }
    void Reset(unsigned objectName = 0)
    {
        if (name != 0)
        {
            deleter(name);
        }
        name = objectName;
    }

private:
    unsigned name = 0;
};

using GlTexture = GlObject<&DeleteGlTexture>;
using GlBuffer = GlObject<&DeleteGlBuffer>;
using GlVertexArray = GlObject<&DeleteGlVertexArray>;
using GlFramebuffer = GlObject<&DeleteGlFramebuffer>;
using GlProgram = GlObject<&DeleteGlProgram>;

// Makes a vertex array with one array buffer and leaves both bound, ready for attribute setup.
void CreateBoundVertexArray(GlVertexArray& vertexArray, GlBuffer& vertexBuffer);

} // namespace kesto
