#pragma once

#include "ecs/Component.h"
#include "graphics/VideoDecoder.h"
#include "graphics/VideoFrameTexture.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace kesto
{

// A cinematic video played on a quad placed by the entity's transform. Reading "path" (relative to the asset root)
// opens the file; the renderer plays it while the editor is not active, starting the sound track beside it with the
// first played frame. A video that cannot be opened or decoded shows nothing, counts as finished and is reported
// once.
class Video : public ComponentOf<Video, ComponentType::Video>
{
public:
    // However far the game falls behind (a stall, an absurd frame rate), one update decodes at most this many.
    static constexpr int maxFramesPerUpdate = 30;
    // A game frame that lands on a picture's time within this fraction of a picture does not show it yet, so
    // float rounding cannot make a 60 fps game show a 30 fps video's pictures at uneven intervals.
    static constexpr double frameTolerance = 1e-3;

    // Without an asset root no file is ever read (an engine without content).
    Video() = default;
    explicit Video(std::string root) : assetRoot(std::move(root)) {}
    // A copy plays on its own. When the original has its file open, the copy opens the file anew and plays it from
    // the start; otherwise it copies the counters and flags as they are.
    Video(const Video& other);
    Video& operator=(const Video&) = delete;

    static const FieldTable<Video>& Fields();
    // "path": opens the file, unless it is the path already open and not yet played, or one that already failed.
    void Read(JsonReader& reader, SystemRegistry* registry) override;
    // "Path", and a "Load" button that starts the video at that path from its beginning.
    bool Inspect(SystemRegistry* registry) override;

    // Opens `path` from the start (the inspector's "Load"). A file that cannot be read leaves the video before in
    // place; a file FFmpeg cannot play closes it. Either is reported.
    void Open();
    bool IsOpen() const { return decoder.IsOpen(); }
    // The file `path` names: under the asset root, with either separator read as a directory boundary. Its name with
    // the extension "mp3" is the sound track's. Empty without an asset root or a path.
    std::string File() const;
    // Plays `dt` seconds: decodes pictures until the video's clock has caught up with its time, or holds the
    // picture when it is ahead. True when a new picture is in Pixels().
    bool Advance(float dt);

    // The current picture: Width() x Height() x 3 bytes, top row first.
    std::span<const std::uint8_t> Pixels() const { return decoder.Pixels(); }
    int Width() const { return decoder.Width(); }
    int Height() const { return decoder.Height(); }

    std::string path;                   // the video file under the asset root; its name names the sound track too
    int framesDecoded = 0;              // pictures decoded since the start
    double fps = 0.0;                   // the stream's frame rate
    float time = 0.0f;                  // seconds played
    bool finished = false;              // the end was reached, or there is nothing to play
    bool startPending = false;          // opened and not yet played; the sound track starts with the first frame
    bool openFailed = false;            // the last attempt to open `path` failed (and was reported)
    std::string assetRoot;              // set by the game's component factory; empty: no file is read
    VideoFrameTexture frameTexture;     // made by the renderer at the first draw
    SystemRegistry* registry = nullptr; // where failures are reported; may be null (standard error)

private:
    void Close();
    void Report(std::string_view what) const;
    bool IsBehind() const;

    VideoDecoder decoder;
};

} // namespace kesto
