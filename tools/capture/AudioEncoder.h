// AudioEncoder: the soundtrack's stream of an output file. The music comes in
// as the player renders it, frame by frame of the picture (any number of
// interleaved stereo float samples at 44100 Hz); it is converted to the
// encoder's sample format and handed on in blocks of the encoder's size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/capture/EncodedStream.h"
#include "tools/capture/FFmpegOwners.h"

class AudioEncoder {
public:
    // `sampleFormat`: what the encoder is given; `sampleBits` (0: all of
    // them) what it keeps, e.g. 24 of a 32-bit sample.
    AudioEncoder(AVFormatContext& output, const AVCodec& codec, AVSampleFormat sampleFormat,
                 int sampleBits, std::int64_t bitRate);

    void write(const float* stereo, std::size_t frames);
    // Encodes the last short block and drains the encoder.
    void finish();
    std::int64_t samplesWritten() const { return nextPts; }

private:
    void encodeBlock(int samples);

    EncodedStream stream;
    ffmpeg::Resampler resampler;
    ffmpeg::AudioFifo fifo;
    ffmpeg::Frame converted;  // scratch for the resampler's output
    ffmpeg::Frame block;      // what the encoder gets
    int blockSize = 0;
    std::int64_t nextPts = 0;
};
