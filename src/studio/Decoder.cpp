#include "studio/Decoder.h"

extern "C"
{
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libswresample/swresample.h>
}

#include <cerrno>
#include <cstdint>
#include <memory>

namespace kesto::studio::detail
{
namespace
{

struct FormatCloser
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFreer
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ResamplerFreer
{
    void operator()(SwrContext* context) const { swr_free(&context); }
};

// Owns a channel layout, which may hold an allocated custom map.
class ChannelLayout
{
public:
    ChannelLayout() = default;
    ~ChannelLayout() { av_channel_layout_uninit(&layout); }
    ChannelLayout(const ChannelLayout&) = delete;
    ChannelLayout& operator=(const ChannelLayout&) = delete;

    AVChannelLayout layout{};
};

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// The decoder side of one open file: demuxer, decoder and the converter to float at the mixer's rate.
class FileDecoder
{
public:
    Result Open(const std::string& path, int sampleRate, std::string& error)
    {
        AVFormatContext* rawFormat = nullptr;
        int code = avformat_open_input(&rawFormat, path.c_str(), nullptr, nullptr);
        if (code < 0)
        {
            error = ErrorText(code);
            return code == AVERROR(ENOENT) || code == AVERROR(EACCES) || code == AVERROR(EISDIR) ? Result::FileNotFound
                                                                                                 : Result::Format;
        }
        format.reset(rawFormat);
        if ((code = avformat_find_stream_info(format.get(), nullptr)) < 0)
        {
            error = ErrorText(code);
            return Result::Format;
        }
        const AVCodec* codec = nullptr;
        stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (stream < 0 || codec == nullptr)
        {
            error = "no audio stream";
            return Result::Format;
        }
        codecContext.reset(avcodec_alloc_context3(codec));
        if (!codecContext || avcodec_parameters_to_context(codecContext.get(), format->streams[stream]->codecpar) < 0)
        {
            error = "cannot open the audio decoder";
            return Result::Format;
        }
        // Without the packets' time base the decoder cannot move timestamps past the encoder's leading padding, and
        // says so for every mp3.
        codecContext->pkt_timebase = format->streams[stream]->time_base;
        if (avcodec_open2(codecContext.get(), codec, nullptr) < 0)
        {
            error = "cannot open the audio decoder";
            return Result::Format;
        }
        return OpenResampler(sampleRate, error);
    }

    Result Decode(SampleBuffer& out, std::string& error)
    {
        std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
        if (!packet || !frame)
        {
            error = "out of memory";
            return Result::Format;
        }
        while (av_read_frame(format.get(), packet.get()) >= 0)
        {
            // A damaged packet is skipped; the rest of the file may still decode.
            if (packet->stream_index == stream)
            {
                avcodec_send_packet(codecContext.get(), packet.get());
            }
            av_packet_unref(packet.get());
            ReceiveFrames(*frame);
        }
        avcodec_send_packet(codecContext.get(), nullptr);
        ReceiveFrames(*frame);
        Convert(nullptr, 0);
        if (pcm.empty())
        {
            error = "no audio could be decoded";
            return Result::Format;
        }
        out.sourceRate = codecContext->sample_rate;
        out.sourceChannels = codecContext->ch_layout.nb_channels;
        if (outChannels == 2)
        {
            out.samples = std::move(pcm);
        }
        else
        {
            out.samples.resize(pcm.size() * 2);
            for (std::size_t i = 0; i < pcm.size(); ++i)
            {
                out.samples[2 * i] = pcm[i];
                out.samples[2 * i + 1] = pcm[i];
            }
        }
        return Result::Ok;
    }

private:
    Result OpenResampler(int sampleRate, std::string& error)
    {
        ChannelLayout in;
        if (codecContext->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        {
            av_channel_layout_default(&in.layout, codecContext->ch_layout.nb_channels);
        }
        else if (av_channel_layout_copy(&in.layout, &codecContext->ch_layout) < 0)
        {
            error = "unreadable channel layout";
            return Result::Format;
        }
        // Mono stays mono here and is copied to both sides afterwards, so it keeps its full level.
        outChannels = in.layout.nb_channels == 1 ? 1 : 2;
        ChannelLayout outLayout;
        av_channel_layout_default(&outLayout.layout, outChannels);
        SwrContext* raw = nullptr;
        if (swr_alloc_set_opts2(&raw, &outLayout.layout, AV_SAMPLE_FMT_S16, sampleRate, &in.layout,
                                codecContext->sample_fmt, codecContext->sample_rate, 0, nullptr) < 0)
        {
            error = "cannot convert this sample format";
            return Result::Format;
        }
        resampler.reset(raw);
        inFormat = codecContext->sample_fmt;
        inChannels = in.layout.nb_channels;
        inRate = codecContext->sample_rate;
        if (swr_init(resampler.get()) < 0)
        {
            error = "cannot convert this sample format";
            return Result::Format;
        }
        return Result::Ok;
    }

    void ReceiveFrames(AVFrame& frame)
    {
        while (avcodec_receive_frame(codecContext.get(), &frame) == 0)
        {
            // A damaged stream may change its format midway; the converter would read channels the frame lacks.
            if (frame.format == inFormat && frame.ch_layout.nb_channels == inChannels && frame.sample_rate == inRate)
            {
                Convert(const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples);
            }
            av_frame_unref(&frame);
        }
    }

    // Appends converted frames; with no input it drains what the converter still holds.
    void Convert(const std::uint8_t** input, int frames)
    {
        while (true)
        {
            const int room = swr_get_out_samples(resampler.get(), frames);
            if (room <= 0)
            {
                return;
            }
            const std::size_t used = pcm.size();
            pcm.resize(used + static_cast<std::size_t>(room) * outChannels);
            auto* target = reinterpret_cast<std::uint8_t*>(pcm.data() + used);
            const int got = swr_convert(resampler.get(), &target, room, input, frames);
            pcm.resize(used + static_cast<std::size_t>(got > 0 ? got : 0) * outChannels);
            if (input != nullptr || got <= 0)
            {
                return;
            }
        }
    }

    std::unique_ptr<AVFormatContext, FormatCloser> format;
    std::unique_ptr<AVCodecContext, CodecFreer> codecContext;
    std::unique_ptr<SwrContext, ResamplerFreer> resampler;
    int stream = -1;
    int outChannels = 2;
    // What the converter was made for; frames of another shape are skipped.
    int inFormat = -1;
    int inChannels = 0;
    int inRate = 0;
    std::vector<std::int16_t> pcm;
};

} // namespace

Result DecodeFile(const std::string& path, int sampleRate, SampleBuffer& out, std::string& error)
{
    FileDecoder decoder;
    const Result opened = decoder.Open(path, sampleRate, error);
    if (opened != Result::Ok)
    {
        return opened;
    }
    return decoder.Decode(out, error);
}

} // namespace kesto::studio::detail
