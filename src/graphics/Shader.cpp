#include "graphics/Shader.h"

#include <epoxy/gl.h>

namespace kesto
{

void Shader::Adopt(GlProgram linked)
{
    program = std::move(linked);
    uniforms.clear();
    locations.clear();
    GLint count = 0;
    glGetProgramiv(program.Get(), GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i)
    {
        char buffer[32] = {};
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program.Get(), static_cast<GLuint>(i), sizeof buffer, &length, &size, &type, buffer);
        uniforms.push_back({std::string(buffer, static_cast<std::size_t>(length)), type});
    }
}

void Shader::Use() const { glUseProgram(program.Get()); }

int Shader::Location(std::string_view uniformName) const
{
    const auto found = locations.find(uniformName);
    if (found != locations.end())
    {
        return found->second;
    }
    const std::string key(uniformName);
    const int location = program ? glGetUniformLocation(program.Get(), key.c_str()) : -1;
    locations.emplace(key, location);
    return location;
}

void Shader::Set(int location, int value)
{
    if (location >= 0)
    {
        glUniform1i(location, value);
    }
}

void Shader::Set(int location, float value)
{
    if (location >= 0)
    {
        glUniform1f(location, value);
    }
}

void Shader::Set(int location, Vec2 value)
{
    if (location >= 0)
    {
        glUniform2f(location, value.x, value.y);
    }
}

void Shader::Set(int location, Vec3 value)
{
    if (location >= 0)
    {
        glUniform3f(location, value.x, value.y, value.z);
    }
}

void Shader::Set(int location, const Matrix3& value)
{
    if (location >= 0)
    {
        glUniformMatrix3fv(location, 1, GL_FALSE, value.Data());
    }
}

} // namespace kesto
