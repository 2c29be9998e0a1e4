#include "graphics/VideoDecoder.h"

extern "C"
{
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libswscale/swscale.h>
}

#include <sstream>
#include <vector>

namespace kesto
{

namespace
{

// Frees an FFmpeg object through a function that takes the address of its pointer (and clears it).
template <auto freeFunction> struct FreeByAddress
{
    template <typename T> void operator()(T* object) const { freeFunction(&object); }
};
struct ScalerFreer
{
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};

// The fast conversions write whole blocks of pixels, past the end of the last row when the width is not a multiple
// of the block; the picture's buffer has room for that.
constexpr std::size_t conversionSlack = 256;

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

} // namespace

struct VideoDecoder::State
{
    std::unique_ptr<AVFormatContext, FreeByAddress<avformat_close_input>> format;
    std::unique_ptr<AVCodecContext, FreeByAddress<avcodec_free_context>> codec;
    std::unique_ptr<AVPacket, FreeByAddress<av_packet_free>> packet;
    std::unique_ptr<AVFrame, FreeByAddress<av_frame_free>> frame;
    // Rebuilt when a picture arrives in another size or format than the one before.
    std::unique_ptr<SwsContext, ScalerFreer> scaler;
    std::vector<std::uint8_t> rgb; // the picture, then conversionSlack bytes
    std::string error;
    int stream = -1;
    int width = 0;
    int height = 0;
    double fps = 0.0;
    std::int64_t announced = 0; // pictures the file's index lists; 0 when it does not say
    std::int64_t pictures = 0;  // pictures decoded so far
    bool draining = false;      // the file is read to its end; only the codec's held pictures are left

    bool Open(const std::string& path);
    bool OpenCodec();
    // Converts the received picture into rgb; false when it cannot be converted.
    bool Convert();
    // Reads one packet and gives it to the codec when it belongs to the video stream; at the end of the file (or
    // when reading fails) tells the codec to give up the pictures it still holds.
    void FeedPacket();
    // The end of the stream; notes when fewer pictures came out than the index lists (a cut or damaged file).
    VideoStep End();
};

bool VideoDecoder::State::Open(const std::string& path)
{
    // The "file:" protocol keeps a data path from naming another protocol (a URL, "concat:", a device).
    AVFormatContext* raw = nullptr;
    int code = avformat_open_input(&raw, ("file:" + path).c_str(), nullptr, nullptr);
    if (code < 0)
    {
        error = "not a video FFmpeg can read (" + ErrorText(code) + ")";
        return false;
    }
    format.reset(raw);
    if ((code = avformat_find_stream_info(format.get(), nullptr)) < 0)
    {
        error = "cannot read the stream information (" + ErrorText(code) + ")";
        return false;
    }
    stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0)
    {
        error = "the file holds no video stream";
        return false;
    }
    AVStream& video = *format->streams[stream];
    width = video.codecpar->width;
    height = video.codecpar->height;
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide)
    {
        std::ostringstream text;
        text << "a picture size of " << width << " x " << height << " is not playable (at most " << maxSide << " x "
             << maxSide << ")";
        error = text.str();
        return false;
    }
    announced = video.nb_frames;
    const AVRational rate = av_guess_frame_rate(format.get(), &video, nullptr);
    fps = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0;
    if (!(fps > 0.0 && fps <= maxFps))
    {
        error = "no usable frame rate";
        return false;
    }
    return OpenCodec();
}

bool VideoDecoder::State::OpenCodec()
{
    const AVCodecParameters& parameters = *format->streams[stream]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters.codec_id);
    if (!decoder)
    {
        error = std::string("no decoder for the codec \"") + avcodec_get_name(parameters.codec_id) + "\"";
        return false;
    }
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), &parameters) < 0)
    {
        error = "cannot set up the decoder";
        return false;
    }
    // Decoding stays on the calling thread, one picture at a time.
    codec->thread_count = 1;
    const int code = avcodec_open2(codec.get(), decoder, nullptr);
    if (code < 0)
    {
        error = "cannot open the decoder (" + ErrorText(code) + ")";
        return false;
    }
    packet.reset(av_packet_alloc());
    frame.reset(av_frame_alloc());
    if (!packet || !frame)
    {
        error = "out of memory";
        return false;
    }
    rgb.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 + conversionSlack, 0);
    return true;
}

bool VideoDecoder::State::Convert()
{
    const auto source = static_cast<AVPixelFormat>(frame->format);
    if (frame->width <= 0 || frame->height <= 0 || source == AV_PIX_FMT_NONE)
    {
        return false;
    }
    // A stream that changes size mid-way is scaled to the size it opened with, which the texture has.
    scaler.reset(sws_getCachedContext(scaler.release(), frame->width, frame->height, source, width, height,
                                      AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler)
    {
        return false;
    }
    std::uint8_t* target[4] = {rgb.data(), nullptr, nullptr, nullptr};
    const int stride[4] = {width * 3, 0, 0, 0};
    return sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, target, stride) == height;
}

void VideoDecoder::State::FeedPacket()
{
    const int code = av_read_frame(format.get(), packet.get());
    if (code < 0)
    {
        if (code != AVERROR_EOF)
        {
            error = "the file ends early (" + ErrorText(code) + ")";
        }
        draining = true;
        avcodec_send_packet(codec.get(), nullptr);
        return;
    }
    if (packet->stream_index == stream)
    {
        // A damaged packet is refused by the codec and skipped; later ones may decode again.
        avcodec_send_packet(codec.get(), packet.get());
    }
    av_packet_unref(packet.get());
}

VideoStep VideoDecoder::State::End()
{
    if (error.empty() && pictures < announced)
    {
        std::ostringstream text;
        text << "only " << pictures << " of its " << announced << " pictures could be decoded";
        error = text.str();
    }
    return VideoStep::End;
}

VideoDecoder::VideoDecoder() = default;
VideoDecoder::~VideoDecoder() = default;
VideoDecoder::VideoDecoder(VideoDecoder&&) noexcept = default;
VideoDecoder& VideoDecoder::operator=(VideoDecoder&&) noexcept = default;

bool VideoDecoder::Open(const std::string& path)
{
    state = std::make_unique<State>();
    if (state->Open(path))
    {
        return true;
    }
    const std::string error = std::move(state->error);
    state = std::make_unique<State>();
    state->error = error;
    return false;
}

bool VideoDecoder::IsOpen() const { return state && state->codec; }

int VideoDecoder::Width() const { return IsOpen() ? state->width : 0; }

int VideoDecoder::Height() const { return IsOpen() ? state->height : 0; }

double VideoDecoder::Fps() const { return IsOpen() ? state->fps : 0.0; }

std::int64_t VideoDecoder::FrameCount() const { return IsOpen() ? state->announced : 0; }

VideoStep VideoDecoder::DecodeNext()
{
    if (!IsOpen())
    {
        return VideoStep::Error;
    }
    State& s = *state;
    // Every try either feeds a packet or drops a picture that could not be converted, so the loop is bounded.
    for (int tries = 0; tries < maxPacketsWithoutFrame; ++tries)
    {
        const int code = avcodec_receive_frame(s.codec.get(), s.frame.get());
        if (code == 0)
        {
            const bool converted = s.Convert();
            av_frame_unref(s.frame.get());
            if (converted)
            {
                ++s.pictures;
                return VideoStep::Frame;
            }
            continue;
        }
        if (code == AVERROR_EOF)
        {
            return s.End();
        }
        if (code != AVERROR(EAGAIN))
        {
            s.error = "decoding failed (" + ErrorText(code) + ")";
            return VideoStep::Error;
        }
        if (s.draining)
        {
            // The codec wants input after it was told the file is over.
            return s.End();
        }
        s.FeedPacket();
    }
    std::ostringstream text;
    text << "no picture came out of " << maxPacketsWithoutFrame << " packets in a row";
    s.error = text.str();
    return VideoStep::Error;
}

std::span<const std::uint8_t> VideoDecoder::Pixels() const
{
    if (!IsOpen())
    {
        return {};
    }
    return {state->rgb.data(), state->rgb.size() - conversionSlack};
}

const std::string& VideoDecoder::Error() const
{
    static const std::string none;
    return state ? state->error : none;
}

} // namespace kesto
