#include "graphics/ShaderManager.h"

#include "ecs/JsonReader.h"
#include "engine/AssetPath.h"
#include "engine/SystemRegistry.h"
#include "engine/Trace.h"

#include <GLFW/glfw3.h>
#include <epoxy/gl.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kesto
{

namespace
{

// Empty when the file cannot be read; the caller reports it.
bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream file(AssetPath(path), std::ios::binary);
    if (!file)
    {
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

std::string ShaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    GLsizei written = 0;
    glGetShaderInfoLog(shader, length, &written, log.data());
    log.resize(static_cast<std::size_t>(written));
    return log;
}

std::string ProgramLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    GLsizei written = 0;
    glGetProgramInfoLog(program, length, &written, log.data());
    log.resize(static_cast<std::size_t>(written));
    return log;
}

// GL logs end in newlines and may hold several; one report line reads better with them joined.
std::string OneLine(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    {
        text.pop_back();
    }
    for (char& c : text)
    {
        if (c == '\n' || c == '\r')
        {
            c = ' ';
        }
    }
    return text;
}

// The source with `defines` after its "#version" line (which must stay first).
std::string WithDefines(const std::string& source, const std::string& defines)
{
    if (defines.empty())
    {
        return source;
    }
    const std::size_t version = source.find("#version");
    const std::size_t lineEnd = version == std::string::npos ? std::string::npos : source.find('\n', version);
    if (lineEnd == std::string::npos)
    {
        return defines + "\n" + source;
    }
    return source.substr(0, lineEnd + 1) + defines + "\n" + source.substr(lineEnd + 1);
}

GLuint Compile(GLenum kind, const std::string& path, const std::string& source, Trace& trace)
{
    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE)
    {
        trace.Report("GRAPHICS", path, "compile failed: " + OneLine(ShaderLog(shader)));
    }
    return shader;
}

} // namespace

MissingShaderError::MissingShaderError(const std::string& shaderName, const std::string& where)
    : std::out_of_range("no shader \"" + shaderName + "\": " + where)
{
}

ShaderManager::ShaderManager(std::string_view assetRoot) : folder(UnderAssetRoot(assetRoot, "Data/Files/")) {}

void ShaderManager::Init()
{
    if (folder.empty())
    {
        return;
    }
    Trace* trace = registry->GetSystem<Trace>();
    JsonReader reader;
    if (!reader.Open(folder, "Shaders.json", trace))
    {
        return;
    }
    tableRead = true;
    while (reader.NextObjectMember("Shader"))
    {
        std::string shaderName;
        std::string vertPath;
        std::string fragPath;
        const bool hasName = reader.TryReadString("name", shaderName);
        const bool hasVert = reader.TryReadString("vertPath", vertPath);
        const bool hasFrag = reader.TryReadString("fragPath", fragPath);
        if (!hasName || !hasVert || !hasFrag)
        {
            trace->Report("DATA", folder + "Shaders.json",
                          "a Shader entry lacks \"name\", \"vertPath\" or \"fragPath\"; skipped");
            continue;
        }
        Load(shaderName, vertPath, fragPath);
    }
}

Shader& ShaderManager::Get(const std::string& shaderName) const
{
    const auto found = shaders.find(shaderName);
    if (found == shaders.end())
    {
        throw MissingShaderError(shaderName, WhereLookedFor());
    }
    return *found->second;
}

std::string ShaderManager::WhereLookedFor() const
{
    if (folder.empty())
    {
        return "no shader table was read (the engine has no asset folder)";
    }
    std::error_code error;
    const std::string table = std::filesystem::absolute(AssetPath(folder + "Shaders.json"), error).string();
    return tableRead ? table + " does not list it" : "cannot read " + table;
}

void ShaderManager::Load(const std::string& shaderName, const std::string& vertPath, const std::string& fragPath)
{
    if (!shaders.contains(shaderName))
    {
        shaders.emplace(shaderName, Build(shaderName, vertPath, fragPath, ""));
    }
}

Shader& ShaderManager::Variant(const std::string& shaderName, const std::string& defines)
{
    const std::string key = shaderName + "\n" + defines;
    const auto found = variants.find(key);
    if (found != variants.end())
    {
        return *found->second;
    }
    const Shader& base = Get(shaderName);
    auto variant = Build(shaderName, base.vertPath, base.fragPath, defines);
    Shader& built = *variant;
    variants.emplace(key, std::move(variant));
    return built;
}

std::unique_ptr<Shader> ShaderManager::Build(const std::string& shaderName, const std::string& vertPath,
                                             const std::string& fragPath, const std::string& defines) const
{
    Trace& trace = *registry->GetSystem<Trace>();
    std::string vertText;
    std::string fragText;
    if (!ReadText(vertPath, vertText))
    {
        trace.Report("DATA", vertPath, "cannot read the vertex shader of \"" + shaderName + "\"");
    }
    if (!ReadText(fragPath, fragText))
    {
        trace.Report("DATA", fragPath, "cannot read the fragment shader of \"" + shaderName + "\"");
    }
    auto shader = std::make_unique<Shader>(shaderName);
    shader->vertPath = vertPath;
    shader->fragPath = fragPath;
    // Headless (tests, the data checker): the sources are read and reported, nothing is compiled.
    if (!glfwGetCurrentContext())
    {
        return shader;
    }
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertPath, WithDefines(vertText, defines), trace);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragPath, WithDefines(fragText, defines), trace);
    GlProgram program(glCreateProgram());
    glAttachShader(program.Get(), fragment);
    glAttachShader(program.Get(), vertex);
    glLinkProgram(program.Get());
    glDeleteShader(fragment);
    glDeleteShader(vertex);
    GLint linked = GL_FALSE;
    glGetProgramiv(program.Get(), GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE)
    {
        trace.Report("GRAPHICS", shaderName, "link failed: " + OneLine(ProgramLog(program.Get())));
    }
    shader->Adopt(std::move(program));
    return shader;
}

} // namespace kesto
