// Any bytes as a bank file (its parser) or a sound file (the decoder), chosen at build time (KESTO_FUZZ_STUDIO).
#include "studio/BankParser.h"
#include "studio/Decoder.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#if KESTO_FUZZ_STUDIO == 1
    static_cast<void>(kesto::studio::detail::ParseBank(bytes, "fuzz.bank", [](std::string_view) {}));
#else
    // The decoder reads files, as the game gives it the cinematic sound tracks and the banks' sounds.
    static const std::string file = "/tmp/kesto-fuzz-sound-" + std::to_string(::getpid());
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));
    kesto::studio::detail::SampleBuffer samples;
    std::string error;
    static_cast<void>(kesto::studio::detail::DecodeFile(file, 48000, samples, error));
#endif
    return 0;
}
