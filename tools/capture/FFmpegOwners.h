// FFmpegOwners: one small owner per FFmpeg object the capture tool holds, so
// an error thrown half-way through still frees every context, frame and
// packet, and FFmpeg's error codes turned into exceptions with their text.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <stdexcept>
#include <string>

namespace ffmpeg {

struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerFree {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};
struct ResamplerFree {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct AudioFifoFree {
    void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
// An output format context with its file: the file is closed with it.
struct OutputFree {
    void operator()(AVFormatContext* context) const {
        if (!(context->oformat->flags & AVFMT_NOFILE)) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};

using CodecContext = std::unique_ptr<AVCodecContext, CodecContextFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;
using Scaler = std::unique_ptr<SwsContext, ScalerFree>;
using Resampler = std::unique_ptr<SwrContext, ResamplerFree>;
using AudioFifo = std::unique_ptr<AVAudioFifo, AudioFifoFree>;
using Output = std::unique_ptr<AVFormatContext, OutputFree>;

inline std::string errorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// FFmpeg's negative results become std::runtime_error("what: reason").
inline int check(int result, const std::string& what) {
    if (result < 0) throw std::runtime_error(what + ": " + errorText(result));
    return result;
}

template <typename T>
T* checkMade(T* made, const std::string& what) {
    if (made == nullptr) throw std::runtime_error(what + ": out of memory");
    return made;
}

// A frame with its own buffers, of the given picture format and size.
inline Frame videoFrame(AVPixelFormat format, int width, int height) {
    Frame frame(checkMade(av_frame_alloc(), "av_frame_alloc"));
    frame->format = format;
    frame->width = width;
    frame->height = height;
    check(av_frame_get_buffer(frame.get(), 0), "av_frame_get_buffer");
    return frame;
}

}  // namespace ffmpeg
