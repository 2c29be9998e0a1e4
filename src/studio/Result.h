#pragma once

namespace kesto::studio
{

// What every call of the layer answers, in the spirit of the FMOD result codes: 0 is success and 18 a file that
// cannot be opened, as there; the other values are this layer's own. Callers may keep the value as a plain int.
enum class Result : int
{
    Ok = 0,
    BadCommand = 1,      // the call does not fit the current state (a second Initialize, Mix with a device)
    ChannelAlloc = 2,    // every voice allowed by maxChannels is in use; the new one was not started
    FileBad = 13,        // the file was read but its content is unusable (a bank without its header)
    FileNotFound = 18,   // the file cannot be opened
    Format = 19,         // no decodable audio in the file
    HeaderMismatch = 20, // the caller was built against another version of this interface
    Initialization = 28, // the output or mixer could not be set up
    InvalidHandle = 30,  // a null handle, or one whose object is gone
    InvalidParam = 31,   // an argument out of range (a listener other than 0, a negative frame count)
    NotInitialized = 67, // the system has not been initialised, or was released
    AlreadyLoaded = 69,  // the bank file is loaded already
    NotFound = 74,       // no loaded bank holds the event, bus or parameter path or name
};

// A short English description of the code, for reports.
const char* ResultString(Result result);

} // namespace kesto::studio
