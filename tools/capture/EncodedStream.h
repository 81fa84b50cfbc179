// EncodedStream: one stream of an output file with its encoder — FFmpeg's
// doc/examples/mux.c loop of send frame, receive packets until the encoder
// wants more, rescale and interleave them into the file.
#pragma once

#include <cstdint>

#include "tools/capture/FFmpegOwners.h"

class EncodedStream {
public:
    // Adds a stream to `output` and a context for `codec`, to be set up
    // through context() and then opened.
    EncodedStream(AVFormatContext& output, const AVCodec& codec);
    EncodedStream(const EncodedStream&) = delete;
    EncodedStream& operator=(const EncodedStream&) = delete;

    AVCodecContext& context() { return *codecContext; }
    // Opens the encoder and hands its parameters to the stream; before the
    // file's header is written. Without `storeFrameRate` the file does not
    // state a frame rate, and readers find it from the timestamps.
    void open(bool storeFrameRate = true);
    // Encodes `frame` (null: drains the encoder) and writes what comes out.
    void send(const AVFrame* frame);
    std::int64_t packetsWritten() const { return written; }

private:
    AVFormatContext& output;
    AVStream* stream;
    ffmpeg::CodecContext codecContext;
    ffmpeg::Packet packet;
    std::int64_t written = 0;
};
