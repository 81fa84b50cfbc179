// EncodedStream: the encode-and-write loop shared by the picture and the sound.
#include "tools/capture/EncodedStream.h"

EncodedStream::EncodedStream(AVFormatContext& output, const AVCodec& codec)
    : output(output),
      stream(ffmpeg::checkMade(avformat_new_stream(&output, nullptr), "avformat_new_stream")),
      codecContext(ffmpeg::checkMade(avcodec_alloc_context3(&codec), "avcodec_alloc_context3")),
      packet(ffmpeg::checkMade(av_packet_alloc(), "av_packet_alloc")) {
    stream->id = static_cast<int>(output.nb_streams) - 1;
    // The same build and options must give the same bytes.
    codecContext->flags |= AV_CODEC_FLAG_BITEXACT;
    if (output.oformat->flags & AVFMT_GLOBALHEADER)
        codecContext->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

void EncodedStream::open(bool storeFrameRate) {
    const std::string name = codecContext->codec->name;
    ffmpeg::check(avcodec_open2(codecContext.get(), codecContext->codec, nullptr),
                  "cannot open the " + name + " encoder");
    ffmpeg::check(avcodec_parameters_from_context(stream->codecpar, codecContext.get()),
                  "avcodec_parameters_from_context");
    stream->time_base = codecContext->time_base;
    if (storeFrameRate) stream->avg_frame_rate = codecContext->framerate;
}

void EncodedStream::send(const AVFrame* frame) {
    const std::string name = codecContext->codec->name;
    ffmpeg::check(avcodec_send_frame(codecContext.get(), frame), "the " + name + " encoder");
    for (;;) {
        const int result = avcodec_receive_packet(codecContext.get(), packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
        ffmpeg::check(result, "the " + name + " encoder");
        av_packet_rescale_ts(packet.get(), codecContext->time_base, stream->time_base);
        packet->stream_index = stream->index;
        // Takes the packet's data and leaves it blank for the next one.
        ffmpeg::check(av_interleaved_write_frame(&output, packet.get()),
                      std::string("cannot write '") + output.url + "'");
        ++written;
    }
}
