#include "studio/Result.h"

namespace kesto::studio
{

const char* ResultString(Result result)
{
    switch (result)
    {
    case Result::Ok:
        return "no error";
    case Result::BadCommand:
        return "call not allowed in the current state";
    case Result::ChannelAlloc:
        return "no free voice";
    case Result::FileBad:
        return "unusable file content";
    case Result::FileNotFound:
        return "file not found";
    case Result::Format:
        return "no decodable audio";
    case Result::HeaderMismatch:
        return "interface version mismatch";
    case Result::Initialization:
        return "initialisation failed";
    case Result::InvalidHandle:
        return "invalid handle";
    case Result::InvalidParam:
        return "invalid parameter";
    case Result::NotInitialized:
        return "system not initialised";
    case Result::AlreadyLoaded:
        return "bank already loaded";
    case Result::NotFound:
        return "path or name not found";
    }
    return "unknown result";
}

} // namespace kesto::studio
