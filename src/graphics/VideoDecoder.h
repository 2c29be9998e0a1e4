#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace kesto
{

// What one decoding step gave.
enum class VideoStep : std::uint8_t
{
    Frame, // a new picture is in Pixels()
    End,   // the stream is over; Pixels() keeps the last picture
    Error, // nothing more can be decoded; Error() says why
};

// Reads the video stream of one file with FFmpeg and converts its frames to RGB24. No GL; main thread only.
// Move-only; destruction closes the file and frees every FFmpeg object.
class VideoDecoder
{
public:
    // Sides above this are refused: no texture of that size is worth allocating for a cinematic.
    static constexpr int maxSide = 4096;
    // Frame rates outside (0, maxFps] are refused.
    static constexpr double maxFps = 1000.0;
    // Packets read in a row without a picture before decoding gives up, so broken data cannot stall a frame.
    static constexpr int maxPacketsWithoutFrame = 256;

    VideoDecoder();
    ~VideoDecoder();
    VideoDecoder(VideoDecoder&&) noexcept;
    VideoDecoder& operator=(VideoDecoder&&) noexcept;

    // Opens the file's main video stream, its decoder and the conversion to RGB24. False when any of that fails,
    // with Error() saying why; the decoder is then closed.
    bool Open(const std::string& path);
    bool IsOpen() const;

    int Width() const;  // pixels
    int Height() const; // pixels
    double Fps() const; // frames per second
    // Pictures the file's index lists; 0 when the container does not say.
    std::int64_t FrameCount() const;

    // Decodes the next picture into Pixels(). At the end of the file the pictures the codec still holds come out
    // first. A read failure ends the stream early; when the stream ends with fewer pictures than the file's index
    // lists (a cut or damaged file), or reading failed, Error() says so.
    VideoStep DecodeNext();

    // Width x Height x 3 bytes, rows top first with no padding; black until the first picture, empty while closed.
    std::span<const std::uint8_t> Pixels() const;
    // Why opening or decoding failed, or why the stream ended early; empty otherwise.
    const std::string& Error() const;

private:
    struct State;
    std::unique_ptr<State> state;
};

} // namespace kesto
