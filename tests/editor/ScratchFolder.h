#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

namespace kesto::test
{

// A folder of its own under the system's temporary folder (named after the process too, so runs side by side never
// share one), removed with everything in it.
struct ScratchFolder
{
    explicit ScratchFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / ("kesto-" + name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Folder() const { return path.string() + "/"; }

    std::filesystem::path path;
};

} // namespace kesto::test
