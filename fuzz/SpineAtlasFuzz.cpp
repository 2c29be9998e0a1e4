// Any text as a Spine atlas: it loads (with at most one line of warnings) or is refused with one message, and never
// reads out of bounds or hangs.
#include "spine/Atlas.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    kesto::spine::Host host;
    // Every page "loads", so the regions after it are read too.
    host.createTexture = [](kesto::spine::AtlasPage&, const std::string&) { return true; };
    int reports = 0;
    const auto atlas =
        kesto::spine::LoadAtlasFromText(text, "", "fuzz.atlas", host, [&reports](std::string_view) { ++reports; });
    if (atlas ? reports > 1 : reports != 1)
    {
        throw std::logic_error("a refused atlas gives exactly one message, a loaded one at most one");
    }
    return 0;
}
