#pragma once

#include "engine/ISystem.h"
#include "graphics/Shader.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kesto
{

// Thrown when a shader is asked for by a name that was never loaded (a programming or content error). The message
// says which table was looked in, where, and why it did not give the name.
class MissingShaderError : public std::out_of_range
{
public:
    MissingShaderError(const std::string& shaderName, const std::string& where);
};

// Compiles the GPU programs listed in "Shaders.json" at start and hands them out by name.
class ShaderManager : public ISystem
{
public:
    // Without an asset root the manager reads nothing until a folder is given.
    ShaderManager() = default;
    explicit ShaderManager(std::string_view assetRoot);

    // Reads folder + "Shaders.json" and builds every entry; needs the GL context unless programs are not built. An
    // empty folder reads nothing.
    void Init() override;
    void Update(float) override {}

    // An unknown name throws MissingShaderError.
    Shader& Get(const std::string& shaderName) const;
    bool Has(const std::string& shaderName) const { return shaders.contains(shaderName); }

    // Compiles and links one program from two source files and stores it under its name unless the name is taken.
    // Compile and link failures are reported with GL's log; the failed program stays usable and draws nothing.
    void Load(const std::string& shaderName, const std::string& vertPath, const std::string& fragPath);

    // The loaded program `shaderName` compiled again with `defines` (lines such as "#define LIGHT_SLOTS 2")
    // placed after the sources' "#version" line; built at the first request and kept. Throws MissingShaderError for
    // an unknown name. Needs the GL context.
    Shader& Variant(const std::string& shaderName, const std::string& defines);

    std::string folder;     // where Init finds Shaders.json
    bool tableRead = false; // Shaders.json was opened and parsed
    std::unordered_map<std::string, std::unique_ptr<Shader>> shaders;

private:
    // Where a missing name was looked for, and why the table did not give it: for the error's message.
    std::string WhereLookedFor() const;
    std::unique_ptr<Shader> Build(const std::string& shaderName, const std::string& vertPath,
                                  const std::string& fragPath, const std::string& defines) const;

    std::unordered_map<std::string, std::unique_ptr<Shader>> variants; // by name, a newline, then the defines
};

} // namespace kesto
