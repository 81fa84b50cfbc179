// DecodedMedia: demux, decode, hash; pictures converted to RGB24 with swscale
// when they are kept, sound converted to interleaved floats with swresample.
#include "tests/capture/DecodedMedia.h"

#include "tools/capture/FFmpegOwners.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {

struct InputFree {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};

// FNV-1a over the picture's visible bytes, planes packed without padding.
std::uint64_t hashOf(const AVFrame& frame) {
    const auto format = AVPixelFormat(frame.format);
    std::vector<std::uint8_t> bytes(ffmpeg::check(
        av_image_get_buffer_size(format, frame.width, frame.height, 1), "picture size"));
    ffmpeg::check(av_image_copy_to_buffer(bytes.data(), static_cast<int>(bytes.size()), frame.data,
                                          frame.linesize, format, frame.width, frame.height, 1),
                  "picture copy");
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

}  // namespace

DecodedMedia decodeMedia(const std::string& path, bool keepPictures) {
    using namespace ffmpeg;
    AVFormatContext* opened = nullptr;
    check(avformat_open_input(&opened, path.c_str(), nullptr, nullptr), "open " + path);
    std::unique_ptr<AVFormatContext, InputFree> input(opened);
    check(avformat_find_stream_info(input.get(), nullptr), "stream info");

    DecodedMedia media;
    std::vector<CodecContext> decoders(input->nb_streams);
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream& stream = *input->streams[i];
        const AVCodecParameters& parameters = *stream.codecpar;
        if (parameters.codec_type == AVMEDIA_TYPE_VIDEO) {
            ++media.videoStreams;
            media.width = parameters.width;
            media.height = parameters.height;
            media.rateNumerator = stream.avg_frame_rate.num;
            media.rateDenominator = stream.avg_frame_rate.den;
        } else if (parameters.codec_type == AVMEDIA_TYPE_AUDIO) {
            ++media.audioStreams;
        } else {
            continue;
        }
        const AVCodec* codec = avcodec_find_decoder(parameters.codec_id);
        decoders[i].reset(checkMade(avcodec_alloc_context3(codec), "decoder"));
        check(avcodec_parameters_to_context(decoders[i].get(), &parameters), "decoder parameters");
        decoders[i]->pkt_timebase = stream.time_base;
        check(avcodec_open2(decoders[i].get(), codec, nullptr), "open decoder");
    }

    Packet packet(checkMade(av_packet_alloc(), "packet"));
    Frame frame(checkMade(av_frame_alloc(), "frame"));
    auto drain = [&](AVCodecContext& decoder) {
        while (avcodec_receive_frame(&decoder, frame.get()) == 0) {
            if (decoder.codec_type == AVMEDIA_TYPE_VIDEO) {
                media.frameHashes.push_back(hashOf(*frame));
                if (keepPictures) {
                    std::vector<std::uint8_t> rgb(std::size_t(frame->width) * frame->height * 3);
                    Scaler scaler(checkMade(
                        sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                       frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_POINT,
                                       nullptr, nullptr, nullptr),
                        "scaler"));
                    std::uint8_t* planes[4] = {rgb.data()};
                    const int strides[4] = {frame->width * 3};
                    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes,
                              strides);
                    media.pictures.push_back(std::move(rgb));
                }
            } else {
                const std::size_t start = media.sound.size();
                media.sound.resize(start + std::size_t(frame->nb_samples) * 2);
                SwrContext* made = nullptr;
                AVChannelLayout stereo{};
                av_channel_layout_default(&stereo, 2);
                check(swr_alloc_set_opts2(&made, &stereo, AV_SAMPLE_FMT_FLT, frame->sample_rate,
                                          &frame->ch_layout, AVSampleFormat(frame->format),
                                          frame->sample_rate, 0, nullptr),
                      "resampler");
                Resampler resampler(made);
                check(swr_init(resampler.get()), "resampler");
                std::uint8_t* out[1] = {reinterpret_cast<std::uint8_t*>(&media.sound[start])};
                check(swr_convert(resampler.get(), out, frame->nb_samples,
                                  const_cast<const std::uint8_t**>(frame->extended_data),
                                  frame->nb_samples),
                      "convert");
            }
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        AVCodecContext* decoder = decoders[packet->stream_index].get();
        if (decoder != nullptr) {
            check(avcodec_send_packet(decoder, packet.get()), "decode");
            drain(*decoder);
        }
        av_packet_unref(packet.get());
    }
    for (CodecContext& decoder : decoders) {
        if (!decoder) continue;
        avcodec_send_packet(decoder.get(), nullptr);
        drain(*decoder);
    }
    return media;
}
