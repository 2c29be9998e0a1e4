#pragma once

#include <functional>
#include <memory>
#include <string_view>

namespace kesto::studio
{

// Receives one line of FFmpeg's log: the component that wrote it ("mp3float", "h264"; empty when FFmpeg named
// none) and the message without its line break.
using LibraryLogReceiver = std::function<void(std::string_view source, std::string_view message)>;

// The one route of FFmpeg's log (like FMOD's debug callback). FFmpeg has a single log callback for the whole process;
// a LibraryLog installs it for as long as it lives and restores FFmpeg's own (standard error) afterwards. Every part
// of the program that decodes with FFmpeg, this layer's sound decoder as much as a video decoder elsewhere, logs
// through it and never installs a callback of its own; the game's audio system owns the route and hands its lines to
// Trace.
//
// Only warnings, errors and worse are kept, and each kind of message (its source and FFmpeg's wording before the
// values are filled in) only the first time. FFmpeg may log from its own threads, so lines wait until Deliver hands
// them to the receiver on the caller's thread. While one LibraryLog is installed, another one installs nothing and
// receives nothing.
class LibraryLog
{
public:
    explicit LibraryLog(LibraryLogReceiver receiver);
    ~LibraryLog();
    LibraryLog(const LibraryLog&) = delete;
    LibraryLog& operator=(const LibraryLog&) = delete;

    // Whether this object holds FFmpeg's callback.
    bool IsInstalled() const;
    // Hands every line waiting since the last call to the receiver, oldest first.
    void Deliver();

    struct Route; // the state FFmpeg's callback reaches, shared with it under a lock

private:
    std::unique_ptr<Route> route; // null when another LibraryLog holds the callback
    LibraryLogReceiver receiver;
};

} // namespace kesto::studio
