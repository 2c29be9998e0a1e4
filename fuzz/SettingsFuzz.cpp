// Any bytes as the player's settings file.
#include "FuzzWorld.h"
#include "ui/UserSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string file = "/tmp/kesto-fuzz-settings-" + std::to_string(::getpid());
    kesto::fuzz::FuzzWorld::Put(file, kesto::fuzz::Text(data, size));
    kesto::Trace trace;
    trace.echo = nullptr;
    static_cast<void>(kesto::ReadUserSettings(file, &trace));
    return 0;
}
