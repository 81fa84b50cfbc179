// AudioEncoder: resampler (format only: the player already renders at the
// file's rate), a FIFO that regroups the picture-sized pieces into the
// encoder's blocks, and sample-exact timestamps.
#include "tools/capture/AudioEncoder.h"

#include "demo/music/AudioOutput.h"

namespace {

constexpr int variableBlockSize = 4096;  // samples, for encoders that take any

ffmpeg::Frame audioFrame(AVSampleFormat format, const AVChannelLayout& layout, int samples) {
    ffmpeg::Frame frame(ffmpeg::checkMade(av_frame_alloc(), "av_frame_alloc"));
    frame->format = format;
    ffmpeg::check(av_channel_layout_copy(&frame->ch_layout, &layout), "av_channel_layout_copy");
    frame->sample_rate = AudioOutput::sampleRate;
    frame->nb_samples = samples;
    ffmpeg::check(av_frame_get_buffer(frame.get(), 0), "av_frame_get_buffer");
    return frame;
}

}  // namespace

AudioEncoder::AudioEncoder(AVFormatContext& output, const AVCodec& codec,
                           AVSampleFormat sampleFormat, int sampleBits, std::int64_t bitRate)
    : stream(output, codec) {
    AVCodecContext& context = stream.context();
    context.sample_fmt = sampleFormat;
    context.bits_per_raw_sample = sampleBits;
    context.sample_rate = AudioOutput::sampleRate;
    av_channel_layout_default(&context.ch_layout, AudioOutput::channels);
    context.bit_rate = bitRate;
    context.time_base = AVRational{1, AudioOutput::sampleRate};
    stream.open();
    blockSize = (codec.capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) || context.frame_size <= 0
                    ? variableBlockSize
                    : context.frame_size;

    AVChannelLayout stereo{};
    av_channel_layout_default(&stereo, AudioOutput::channels);
    SwrContext* made = nullptr;
    ffmpeg::check(
        swr_alloc_set_opts2(&made, &context.ch_layout, sampleFormat, AudioOutput::sampleRate,
                            &stereo, AV_SAMPLE_FMT_FLT, AudioOutput::sampleRate, 0, nullptr),
        "swr_alloc_set_opts2");
    resampler.reset(made);
    ffmpeg::check(swr_init(resampler.get()), "swr_init");
    fifo.reset(
        ffmpeg::checkMade(av_audio_fifo_alloc(sampleFormat, AudioOutput::channels, blockSize),
                          "av_audio_fifo_alloc"));
    block = audioFrame(sampleFormat, context.ch_layout, blockSize);
}

void AudioEncoder::write(const float* stereo, std::size_t frames) {
    if (frames == 0) return;
    const int count = static_cast<int>(frames);
    if (!converted || converted->nb_samples < count) {
        converted = audioFrame(stream.context().sample_fmt, stream.context().ch_layout, count);
    }
    const auto* input = reinterpret_cast<const std::uint8_t*>(stereo);
    const int done = ffmpeg::check(
        swr_convert(resampler.get(), converted->data, count, &input, count), "swr_convert");
    ffmpeg::check(av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(converted->data), done),
                  "av_audio_fifo_write");
    while (av_audio_fifo_size(fifo.get()) >= blockSize) encodeBlock(blockSize);
}

void AudioEncoder::finish() {
    const int left = av_audio_fifo_size(fifo.get());
    if (left > 0) encodeBlock(left);
    stream.send(nullptr);
}

void AudioEncoder::encodeBlock(int samples) {
    ffmpeg::check(av_frame_make_writable(block.get()), "av_frame_make_writable");
    block->nb_samples = samples;
    ffmpeg::check(av_audio_fifo_read(fifo.get(), reinterpret_cast<void**>(block->data), samples),
                  "av_audio_fifo_read");
    block->pts = nextPts;
    nextPts += samples;
    stream.send(block.get());
}
